-- Model catalogue: one record per relay model, in list order. "?" in a
-- pattern stands for any one character.
CREATE TABLE "Modelos" (
  "Indice" INTEGER,
  "Modelo" TEXT,
  "BaseDatos" TEXT
);

-- TRV-900 is a model whose database is not installed: it is not offered.
INSERT INTO "Modelos" (Indice, Modelo, BaseDatos) VALUES
  (1, 'TRV-610 ??', 'TRV610.MDB'),
  (2, 'TRV-420 ?', 'TRV420.MDB'),
  (3, 'TRV-300 C?', 'TRV300.MDB'),
  (4, 'TRV-900 ???', 'TRV900.MDB');
