-- Editor menu entry of each table. A table may open several entries (the
-- switchgear table enables the switchgear editor and its input editor, the
-- orders enable the timer editor and the remote-order input editor); tables
-- shown only inside another editor have -1. Control entries 2, 7 and 12 are
-- separators.
INSERT INTO "CONST-Menu" (TablaCONST, MenuIndex, CPU) VALUES
  ('Entradas PROT', 0, 0),
  ('ANDs PROT', 1, 0),
  ('Salidas PROT', 2, 0),
  ('Eventos PROT', 3, 0),
  ('Aparamenta CTRL', 0, 1),
  ('Aparamenta CTRL', 6, 1),
  ('TiempoAperturaCierre CTRL', 0, 1),
  ('TiempoPrevio CTRL', 1, 1),
  ('TiempoPrevio CTRL', 5, 1),
  ('TiempoFallo CTRL', 1, 1),
  ('TiempoSalida CTRL', 1, 1),
  ('TiempoEntradas CTRL', 3, 1),
  ('EntradasPulsos CTRL', 4, 1),
  ('Entradas CTRL', -1, 1),
  ('Salidas CTRL', 8, 1),
  ('Eventos CTRL', 9, 1),
  ('EsperaConfirmacion CTRL', 10, 1),
  ('BitMando CTRL', 11, 1),
  ('Actuacion CTRL', 13, 1),
  ('Fallo CTRL', 14, 1),
  ('Exito CTRL', 15, 1),
  ('Eventos COMU', 0, 2),
  ('LEDs COMU', 1, 2),
  ('Grafico COMU', 2, 2),
  ('TextoEventos COMU', -1, 2);
