-- Default records of the template: the relay's full address space of every
-- table, so that New only has to delete what a model does not use. Each
-- default Codificacion agrees with the record's other columns, so a new
-- configuration can be sent before anything is edited.

-- Group tables: no signal masked, group 0. Gates and outputs are 6 bytes,
-- events and command bits 4 bytes.
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 64)
INSERT INTO "BitMando CTRL" (Indice, GrupoSenyal, NombreAjuste, NombreAjuste0, NombreAjuste1, Codificacion)
SELECT i, 0, 'Bit de mando ' || i, 'Bit de mando ' || i, 'Command bit ' || i, '00000000' FROM n;

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32)
INSERT INTO "Salidas CTRL" (Indice, NombreAjuste, GrupoSenyal, NombreAjuste0, NombreAjuste1, Codificacion)
SELECT i, 'Salida control ' || i, 0, 'Salida control ' || i, 'Control output ' || i, '000000000000' FROM n;

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 48)
INSERT INTO "Eventos CTRL" (Indice, NombreAjuste, GrupoSenyal, NombreAjuste0, NombreAjuste1, Codificacion)
SELECT i, 'Evento control ' || i, 0, 'Evento control ' || i, 'Control event ' || i, '00000000' FROM n;

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32)
INSERT INTO "ANDs PROT" (Indice, NombreAjuste, GrupoSenyal, NombreAjuste0, NombreAjuste1, Codificacion)
SELECT i, 'Puerta AND ' || i, 0, 'Puerta AND ' || i, 'AND gate ' || i, '000000000000' FROM n;

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 16)
INSERT INTO "Salidas PROT" (Indice, NombreAjuste, GrupoSenyal, NombreAjuste0, NombreAjuste1, Codificacion)
SELECT i, 'Salida proteccion ' || i, 0, 'Salida proteccion ' || i, 'Protection output ' || i, '000000000000' FROM n;

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 64)
INSERT INTO "Eventos PROT" (Indice, NombreAjuste, GrupoSenyal, NombreAjuste0, NombreAjuste1, Codificacion)
SELECT i, 'Evento proteccion ' || i, 0, 'Evento proteccion ' || i, 'Protection event ' || i, '00000000' FROM n;

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32)
INSERT INTO "Eventos COMU" (Indice, NombreAjuste, GrupoSenyal, NombreAjuste0, NombreAjuste1, Codificacion)
SELECT i, 'Evento frontal ' || i, 0, 'Evento frontal ' || i, 'Front panel event ' || i, '00000000' FROM n;

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 16)
INSERT INTO "LEDs COMU" (Indice, NombreAjuste, GrupoSenyal, NombreAjuste0, NombreAjuste1, Codificacion)
SELECT i, 'Piloto ' || i, 0, 'Piloto ' || i, 'LED ' || i, '000000000000' FROM n;

-- Switchgear: nothing in use.
INSERT INTO "Aparamenta CTRL" (Indice, Codificacion) VALUES (1, '00000000');

-- The model for every opening and closing timer: 200 (C8 00), 10 to 30000.
-- The language columns hold the base of the generated names (text 1914 and a
-- blank in each language).
INSERT INTO "TiempoAperturaCierre CTRL"
  (Indice, NombreAjuste, NumeroOrden, TipoTemporizador, Temporizador, Minimo, Maximo,
   NombreAjuste0, NombreAjuste1, Codificacion)
VALUES (1, 'Aparamenta ', 1, 'Apertura', 200, 10, 30000, 'Aparamenta ', 'Switchgear ', 'C800');

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 8)
INSERT INTO "EntradasPulsos CTRL" (Indice, NombreAjuste, NombreAjuste0, NombreAjuste1)
SELECT i, 'Entrada pulsos ' || i, 'Entrada pulsos ' || i, 'Pulse input ' || i FROM n;

-- Digital input filter: 20 (14 00), 0 to 1000; settable only where the model
-- says so.
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 32)
INSERT INTO "TiempoEntradas CTRL"
  (Indice, NombreAjuste, TemporizadorEntradaControl, Minimo, Maximo, NombreAjuste0, NombreAjuste1, Codificacion)
SELECT i, 'Entrada digital ' || i, 20, 0, 1000, 'Entrada digital ' || i, 'Digital input ' || i, '1400' FROM n;

-- Orders: actuation 100 (64 00), 10 to 10000; failure 3000 (B8 0B), 100 to
-- 30000; output 500 (F4 01), 50 to 10000; time-out 10 (0A 00), 1 to 60.
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 16)
INSERT INTO "TiempoPrevio CTRL"
  (Indice, NombreAjuste, TiempoActuacion, Minimo, Maximo, NombreAjuste0, NombreAjuste1, Codificacion)
SELECT i, 'Maniobra ' || i, 100, 10, 10000, 'Maniobra ' || i, 'Manoeuvre ' || i, '6400' FROM n;

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 16)
INSERT INTO "TiempoFallo CTRL" (Indice, TiempoFallo, Minimo, Maximo, Codificacion)
SELECT i, 3000, 100, 30000, 'B80B' FROM n;

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 16)
INSERT INTO "TiempoSalida CTRL" (Indice, TiempoSalida, Minimo, Maximo, Codificacion)
SELECT i, 500, 50, 10000, 'F401' FROM n;

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 16)
INSERT INTO "EsperaConfirmacion CTRL" (Indice, NombreAjuste, Tiempo, NombreAjuste0, NombreAjuste1, Codificacion)
SELECT i, 'Confirmacion ' || i, 10, 'Confirmacion ' || i, 'Confirmation ' || i, '0A00' FROM n;

-- Empty conditions: no mask bit, values 0 and external-state value word 1111
-- (as the condition editors store them), that is 36 zeros and 1111.
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 64)
INSERT INTO "Actuacion CTRL" (Indice, NombreAjuste, MascaraBitMando, MascaraEstado, ValorBitMando, ValorEstado, Codificacion)
SELECT i, 'Actuacion ' || i, '0000000000000000', '0000', '0000000000000000', '1111',
       '0000000000000000000000000000000000001111' FROM n;

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 48)
INSERT INTO "Fallo CTRL" (Indice, NombreAjuste, MascaraBitMando, MascaraEstado, ValorBitMando, ValorEstado, Codificacion)
SELECT i, 'Fallo ' || i, '0000000000000000', '0000', '0000000000000000', '1111',
       '0000000000000000000000000000000000001111' FROM n;

WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 16)
INSERT INTO "Exito CTRL" (Indice, NombreAjuste, MascaraBitMando, MascaraEstado, ValorBitMando, ValorEstado, Codificacion)
SELECT i, 'Exito ' || i, '0000000000000000', '0000', '0000000000000000', '1111',
       '0000000000000000000000000000000000001111' FROM n;

-- Protection inputs: function 0 (the first of the model's list, "none").
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 16)
INSERT INTO "Entradas PROT" (Indice, NombreAjuste, ValorEntrada, ValorTextoEntrada, NombreAjuste0, NombreAjuste1, Codificacion)
SELECT i, 'Entrada proteccion ' || i, 0, '', 'Entrada proteccion ' || i, 'Protection input ' || i, '00' FROM n;

-- Tables every configuration keeps.
INSERT INTO "Varios" (Subestacion, Linea, Comentarios, FechaCreacion, UltimaModificacion)
VALUES (NULL, NULL, NULL, '2024-01-01 00:00:00', '2024-01-01 00:00:00');

INSERT INTO "Comunicaciones" (NumeroRele, Puerto, Velocidad, BitsDatos, Paridad, BitsStop)
VALUES (1, 1, 9600, 8, 'N', 1);

INSERT INTO "Version" (Version, Fecha) VALUES ('1.0', '2024-01-01 00:00:00');
