-- TRV-610: feeder protection and bay control with front-panel display.
-- Protection (CPU 0), control (CPU 1) and front panel (CPU 2); six switchgear
-- devices, ten remote orders, event texts and the display graphic.

INSERT INTO "Versiones" (ver) VALUES ('2.03');

-- Table catalogue, in transfer order. Table groups start at 2 in every CPU:
-- group 1 holds the configuration state. Block sizes are the 32-bit values of
-- the records New leaves (bytes / 4, rounded up); the event texts always fill
-- the relay's 96 slots of 24 bytes (576 values), and pulse inputs are never
-- sent, so they have no blocks.
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (0, 2, 'Entradas PROT', 12, 16, 3);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (0, 3, 'ANDs PROT', 16, 32, 24);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (0, 4, 'Salidas PROT', 8, 16, 12);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (0, 5, 'Eventos PROT', 32, 64, 32);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 2, 'Aparamenta CTRL', 6, 8, 1);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 3, 'TiempoAperturaCierre CTRL', 12, 16, 6);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 4, 'TiempoPrevio CTRL', 10, 16, 5);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 5, 'TiempoFallo CTRL', 10, 16, 5);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 6, 'TiempoSalida CTRL', 10, 16, 5);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 7, 'TiempoEntradas CTRL', 24, 32, 12);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal)
  VALUES (1, 8, 'EntradasPulsos CTRL', 4, 8);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 9, 'Entradas CTRL', 24, 32, 13);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 10, 'EsperaConfirmacion CTRL', 10, 16, 5);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 11, 'BitMando CTRL', 32, 64, 32);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1, indice2, indice3, indice4)
  VALUES (1, 12, 'Actuacion CTRL', 40, 64, 60, 60, 60, 20);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1, indice2, indice3)
  VALUES (1, 13, 'Fallo CTRL', 30, 48, 60, 60, 30);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 14, 'Exito CTRL', 10, 16, 50);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 15, 'Salidas CTRL', 16, 32, 24);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 16, 'Eventos CTRL', 32, 48, 32);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (2, 2, 'Eventos COMU', 32, 32, 32);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (2, 3, 'LEDs COMU', 16, 16, 24);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1, indice2, indice3, indice4, indice5, indice6, indice7, indice8, indice9, indice10)
  VALUES (2, 4, 'TextoEventos COMU', 96, 96, 60, 60, 60, 60, 60, 60, 60, 60, 60, 36);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (2, 5, 'Grafico COMU', 64, 64, 12);

-- Switchgear: the breaker has a fixed name; positions two bits each from
-- state byte 20.
INSERT INTO "Tarvo Aparamenta Configurable CTRL" (Indice, Configurable, NombreNoConfigurable, PosicionEstado, ByteComunicacion) VALUES
  (1, 0, 'Interruptor 52', 0, 20),
  (2, 1, NULL, 2, 20),
  (3, 1, NULL, 4, 20),
  (4, 1, NULL, 6, 20),
  (5, 1, NULL, 0, 21),
  (6, 1, NULL, 2, 21);

-- Orders 1 and 2 open and close the breaker and cannot be renamed.
INSERT INTO "Tarvo Orden Configurable CTRL" (Indice, NombreAjuste, NombreNoConfigurable, Configurable) VALUES
  (1, 'Maniobra 1', 'Abrir interruptor', 0),
  (2, 'Maniobra 2', 'Cerrar interruptor', 0),
  (3, 'Maniobra 3', NULL, 1),
  (4, 'Maniobra 4', NULL, 1),
  (5, 'Maniobra 5', NULL, 1),
  (6, 'Maniobra 6', NULL, 1),
  (7, 'Maniobra 7', NULL, 1),
  (8, 'Maniobra 8', NULL, 1),
  (9, 'Maniobra 9', NULL, 1),
  (10, 'Maniobra 10', NULL, 1);

-- 24 digital inputs; the first 16 have a settable filter time.
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 24)
INSERT INTO "Tarvo Entrada Digital Configurable CTRL" (Indice, Ajustable, TemporizadorAjustable)
SELECT i, 16, i <= 16 FROM n;

-- The relay shows its display in Spanish.
CREATE TABLE "Tarvo IdiomaRele" (
  Idioma TEXT
);
INSERT INTO "Tarvo IdiomaRele" (Idioma) VALUES ('Español');
