-- Model catalogue: one record per relay model, in list order. "?" in a
-- pattern stands for any one character.
CREATE TABLE "Modelos" (
  "Indice" INTEGER,
  "Modelo" TEXT,
  "BaseDatos" TEXT
);
