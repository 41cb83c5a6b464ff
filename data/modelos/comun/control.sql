-- Model tables of the control processor (models with CPU 1).

-- One record per switchgear device: whether the user may name and set it, the
-- fixed name otherwise, and where its position lies in the relay's state bytes
-- (byte ByteComunicacion, first of its two bits PosicionEstado).
CREATE TABLE "Tarvo Aparamenta Configurable CTRL" (
  Indice INTEGER,
  Configurable BOOLEAN,
  NombreNoConfigurable TEXT,
  PosicionEstado INTEGER,
  ByteComunicacion INTEGER
);

-- One record per remote order, in order number.
CREATE TABLE "Tarvo Orden Configurable CTRL" (
  Indice INTEGER,
  NombreAjuste TEXT,
  NombreNoConfigurable TEXT,
  Configurable BOOLEAN
);

-- One record per digital input. Ajustable is a count: the first Ajustable
-- digital inputs have a settable filter time (the program reads it from the
-- first record); TemporizadorAjustable says the same per input.
CREATE TABLE "Tarvo Entrada Digital Configurable CTRL" (
  Indice INTEGER,
  Ajustable INTEGER,
  TemporizadorAjustable BOOLEAN
);
