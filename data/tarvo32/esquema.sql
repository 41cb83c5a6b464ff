-- Configuration tables of the template. Every new configuration starts as a
-- copy of this file.

-- The second column of "BitMando CTRL" names the signal-group column of all
-- eight group tables.
CREATE TABLE "BitMando CTRL" (
  "Indice" INTEGER,
  "GrupoSenyal" INTEGER,
  "NombreAjuste" TEXT,
  "Codificacion" TEXT
);
