-- TRV-300 C: bay controller with front-panel display and no protection
-- processor (CPU 1 and CPU 2 only). Two switchgear devices and four orders;
-- remote-terminal inputs cannot be assigned, events have no alarm texts, no
-- pulse inputs. The display offers no measures or states (no "PMed"/"PEst"
-- tables) and has no fixed objects.

INSERT INTO "Versiones" (ver) VALUES ('3.00');

-- Table catalogue, in transfer order. Table groups start at 2 in every CPU
-- (group 1 holds the configuration state); blocks as bytes / 4 rounded up.
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 2, 'Aparamenta CTRL', 2, 8, 1);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 3, 'TiempoAperturaCierre CTRL', 4, 16, 2);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 4, 'TiempoPrevio CTRL', 4, 16, 2);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 5, 'TiempoFallo CTRL', 4, 16, 2);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 6, 'TiempoSalida CTRL', 4, 16, 2);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 7, 'TiempoEntradas CTRL', 8, 32, 4);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 9, 'Entradas CTRL', 12, 32, 4);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 10, 'EsperaConfirmacion CTRL', 4, 16, 2);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 11, 'BitMando CTRL', 16, 64, 16);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1, indice2)
  VALUES (1, 12, 'Actuacion CTRL', 16, 64, 60, 20);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 13, 'Fallo CTRL', 12, 48, 60);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 14, 'Exito CTRL', 4, 16, 20);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 15, 'Salidas CTRL', 8, 32, 12);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (1, 16, 'Eventos CTRL', 16, 48, 16);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (2, 2, 'Eventos COMU', 16, 32, 16);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (2, 3, 'LEDs COMU', 8, 16, 12);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (2, 5, 'Grafico COMU', 64, 64, 12);

-- Both devices are configurable; positions in state byte 20.
INSERT INTO "Tarvo Aparamenta Configurable CTRL" (Indice, Configurable, NombreNoConfigurable, PosicionEstado, ByteComunicacion) VALUES
  (1, 1, NULL, 0, 20),
  (2, 1, NULL, 2, 20);

-- Orders 1 and 2 open and close the breaker and cannot be renamed.
INSERT INTO "Tarvo Orden Configurable CTRL" (Indice, NombreAjuste, NombreNoConfigurable, Configurable) VALUES
  (1, 'Maniobra 1', 'Abrir interruptor', 0),
  (2, 'Maniobra 2', 'Cerrar interruptor', 0),
  (3, 'Maniobra 3', NULL, 1),
  (4, 'Maniobra 4', NULL, 1);

-- 8 digital inputs; the first 4 have a settable filter time.
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 8)
INSERT INTO "Tarvo Entrada Digital Configurable CTRL" (Indice, Ajustable, TemporizadorAjustable)
SELECT i, 4, i <= 4 FROM n;

-- Orders of this relay cannot be given from remote-terminal inputs: the
-- program disables entry 5 of the menu named here.
CREATE TABLE "Tarvo RTU Configurable CTRL" (
  Configurable BOOLEAN,
  AjusteControl TEXT
);
INSERT INTO "Tarvo RTU Configurable CTRL" (Configurable, AjusteControl) VALUES (0, 'mnuAjusteControl');
