-- Configuration tables of the template. Every new configuration starts as a
-- byte copy of this file; New then cuts each table down to the model's
-- record count. Default records are in plantilla.sql.
--
-- Every Codificacion holds the record's bytes as sent to the relay, as
-- hexadecimal pairs, 16-bit fields low byte first.
--
-- Tables listing NombreAjuste0 and NombreAjuste1 keep the default name of each
-- record per user language (suffix = language tag of "Idioma" record 9999),
-- so that a language change can rename the settings the user left untouched.

-- Command bits. The program takes the name of the signal-group column of all
-- eight group tables from column index 1 of this table: keep GrupoSenyal there.
CREATE TABLE "BitMando CTRL" (
  Indice INTEGER,
  GrupoSenyal INTEGER,
  NombreAjuste TEXT,
  Mascara1 BOOLEAN DEFAULT 0, Mascara2 BOOLEAN DEFAULT 0, Mascara3 BOOLEAN DEFAULT 0, Mascara4 BOOLEAN DEFAULT 0,
  Mascara5 BOOLEAN DEFAULT 0, Mascara6 BOOLEAN DEFAULT 0, Mascara7 BOOLEAN DEFAULT 0, Mascara8 BOOLEAN DEFAULT 0,
  Mascara9 BOOLEAN DEFAULT 0, Mascara10 BOOLEAN DEFAULT 0, Mascara11 BOOLEAN DEFAULT 0, Mascara12 BOOLEAN DEFAULT 0,
  Mascara13 BOOLEAN DEFAULT 0, Mascara14 BOOLEAN DEFAULT 0, Mascara15 BOOLEAN DEFAULT 0, Mascara16 BOOLEAN DEFAULT 0,
  NombreAjuste0 TEXT,
  NombreAjuste1 TEXT,
  Codificacion TEXT
);

-- Group tables: a signal group of 16 signals, 16 masks and, for gates and
-- outputs, 16 required values. Codificacion: mask, group (and values), 2 bytes
-- each.
CREATE TABLE "Salidas CTRL" (
  Indice INTEGER,
  NombreAjuste TEXT,
  GrupoSenyal INTEGER,
  Mascara1 BOOLEAN DEFAULT 0, Mascara2 BOOLEAN DEFAULT 0, Mascara3 BOOLEAN DEFAULT 0, Mascara4 BOOLEAN DEFAULT 0,
  Mascara5 BOOLEAN DEFAULT 0, Mascara6 BOOLEAN DEFAULT 0, Mascara7 BOOLEAN DEFAULT 0, Mascara8 BOOLEAN DEFAULT 0,
  Mascara9 BOOLEAN DEFAULT 0, Mascara10 BOOLEAN DEFAULT 0, Mascara11 BOOLEAN DEFAULT 0, Mascara12 BOOLEAN DEFAULT 0,
  Mascara13 BOOLEAN DEFAULT 0, Mascara14 BOOLEAN DEFAULT 0, Mascara15 BOOLEAN DEFAULT 0, Mascara16 BOOLEAN DEFAULT 0,
  Valor1 BOOLEAN DEFAULT 0, Valor2 BOOLEAN DEFAULT 0, Valor3 BOOLEAN DEFAULT 0, Valor4 BOOLEAN DEFAULT 0,
  Valor5 BOOLEAN DEFAULT 0, Valor6 BOOLEAN DEFAULT 0, Valor7 BOOLEAN DEFAULT 0, Valor8 BOOLEAN DEFAULT 0,
  Valor9 BOOLEAN DEFAULT 0, Valor10 BOOLEAN DEFAULT 0, Valor11 BOOLEAN DEFAULT 0, Valor12 BOOLEAN DEFAULT 0,
  Valor13 BOOLEAN DEFAULT 0, Valor14 BOOLEAN DEFAULT 0, Valor15 BOOLEAN DEFAULT 0, Valor16 BOOLEAN DEFAULT 0,
  NombreAjuste0 TEXT,
  NombreAjuste1 TEXT,
  Codificacion TEXT
);

CREATE TABLE "Eventos CTRL" (
  Indice INTEGER,
  NombreAjuste TEXT,
  GrupoSenyal INTEGER,
  Mascara1 BOOLEAN DEFAULT 0, Mascara2 BOOLEAN DEFAULT 0, Mascara3 BOOLEAN DEFAULT 0, Mascara4 BOOLEAN DEFAULT 0,
  Mascara5 BOOLEAN DEFAULT 0, Mascara6 BOOLEAN DEFAULT 0, Mascara7 BOOLEAN DEFAULT 0, Mascara8 BOOLEAN DEFAULT 0,
  Mascara9 BOOLEAN DEFAULT 0, Mascara10 BOOLEAN DEFAULT 0, Mascara11 BOOLEAN DEFAULT 0, Mascara12 BOOLEAN DEFAULT 0,
  Mascara13 BOOLEAN DEFAULT 0, Mascara14 BOOLEAN DEFAULT 0, Mascara15 BOOLEAN DEFAULT 0, Mascara16 BOOLEAN DEFAULT 0,
  Alarma BOOLEAN DEFAULT 0,
  NombreAjuste0 TEXT,
  NombreAjuste1 TEXT,
  Codificacion TEXT
);

CREATE TABLE "ANDs PROT" (
  Indice INTEGER,
  NombreAjuste TEXT,
  GrupoSenyal INTEGER,
  Mascara1 BOOLEAN DEFAULT 0, Mascara2 BOOLEAN DEFAULT 0, Mascara3 BOOLEAN DEFAULT 0, Mascara4 BOOLEAN DEFAULT 0,
  Mascara5 BOOLEAN DEFAULT 0, Mascara6 BOOLEAN DEFAULT 0, Mascara7 BOOLEAN DEFAULT 0, Mascara8 BOOLEAN DEFAULT 0,
  Mascara9 BOOLEAN DEFAULT 0, Mascara10 BOOLEAN DEFAULT 0, Mascara11 BOOLEAN DEFAULT 0, Mascara12 BOOLEAN DEFAULT 0,
  Mascara13 BOOLEAN DEFAULT 0, Mascara14 BOOLEAN DEFAULT 0, Mascara15 BOOLEAN DEFAULT 0, Mascara16 BOOLEAN DEFAULT 0,
  Valor1 BOOLEAN DEFAULT 0, Valor2 BOOLEAN DEFAULT 0, Valor3 BOOLEAN DEFAULT 0, Valor4 BOOLEAN DEFAULT 0,
  Valor5 BOOLEAN DEFAULT 0, Valor6 BOOLEAN DEFAULT 0, Valor7 BOOLEAN DEFAULT 0, Valor8 BOOLEAN DEFAULT 0,
  Valor9 BOOLEAN DEFAULT 0, Valor10 BOOLEAN DEFAULT 0, Valor11 BOOLEAN DEFAULT 0, Valor12 BOOLEAN DEFAULT 0,
  Valor13 BOOLEAN DEFAULT 0, Valor14 BOOLEAN DEFAULT 0, Valor15 BOOLEAN DEFAULT 0, Valor16 BOOLEAN DEFAULT 0,
  NombreAjuste0 TEXT,
  NombreAjuste1 TEXT,
  Codificacion TEXT
);

CREATE TABLE "Salidas PROT" (
  Indice INTEGER,
  NombreAjuste TEXT,
  GrupoSenyal INTEGER,
  Mascara1 BOOLEAN DEFAULT 0, Mascara2 BOOLEAN DEFAULT 0, Mascara3 BOOLEAN DEFAULT 0, Mascara4 BOOLEAN DEFAULT 0,
  Mascara5 BOOLEAN DEFAULT 0, Mascara6 BOOLEAN DEFAULT 0, Mascara7 BOOLEAN DEFAULT 0, Mascara8 BOOLEAN DEFAULT 0,
  Mascara9 BOOLEAN DEFAULT 0, Mascara10 BOOLEAN DEFAULT 0, Mascara11 BOOLEAN DEFAULT 0, Mascara12 BOOLEAN DEFAULT 0,
  Mascara13 BOOLEAN DEFAULT 0, Mascara14 BOOLEAN DEFAULT 0, Mascara15 BOOLEAN DEFAULT 0, Mascara16 BOOLEAN DEFAULT 0,
  Valor1 BOOLEAN DEFAULT 0, Valor2 BOOLEAN DEFAULT 0, Valor3 BOOLEAN DEFAULT 0, Valor4 BOOLEAN DEFAULT 0,
  Valor5 BOOLEAN DEFAULT 0, Valor6 BOOLEAN DEFAULT 0, Valor7 BOOLEAN DEFAULT 0, Valor8 BOOLEAN DEFAULT 0,
  Valor9 BOOLEAN DEFAULT 0, Valor10 BOOLEAN DEFAULT 0, Valor11 BOOLEAN DEFAULT 0, Valor12 BOOLEAN DEFAULT 0,
  Valor13 BOOLEAN DEFAULT 0, Valor14 BOOLEAN DEFAULT 0, Valor15 BOOLEAN DEFAULT 0, Valor16 BOOLEAN DEFAULT 0,
  NombreAjuste0 TEXT,
  NombreAjuste1 TEXT,
  Codificacion TEXT
);

CREATE TABLE "Eventos PROT" (
  Indice INTEGER,
  NombreAjuste TEXT,
  GrupoSenyal INTEGER,
  Mascara1 BOOLEAN DEFAULT 0, Mascara2 BOOLEAN DEFAULT 0, Mascara3 BOOLEAN DEFAULT 0, Mascara4 BOOLEAN DEFAULT 0,
  Mascara5 BOOLEAN DEFAULT 0, Mascara6 BOOLEAN DEFAULT 0, Mascara7 BOOLEAN DEFAULT 0, Mascara8 BOOLEAN DEFAULT 0,
  Mascara9 BOOLEAN DEFAULT 0, Mascara10 BOOLEAN DEFAULT 0, Mascara11 BOOLEAN DEFAULT 0, Mascara12 BOOLEAN DEFAULT 0,
  Mascara13 BOOLEAN DEFAULT 0, Mascara14 BOOLEAN DEFAULT 0, Mascara15 BOOLEAN DEFAULT 0, Mascara16 BOOLEAN DEFAULT 0,
  Alarma BOOLEAN DEFAULT 0,
  NombreAjuste0 TEXT,
  NombreAjuste1 TEXT,
  Codificacion TEXT
);

CREATE TABLE "Eventos COMU" (
  Indice INTEGER,
  NombreAjuste TEXT,
  GrupoSenyal INTEGER,
  Mascara1 BOOLEAN DEFAULT 0, Mascara2 BOOLEAN DEFAULT 0, Mascara3 BOOLEAN DEFAULT 0, Mascara4 BOOLEAN DEFAULT 0,
  Mascara5 BOOLEAN DEFAULT 0, Mascara6 BOOLEAN DEFAULT 0, Mascara7 BOOLEAN DEFAULT 0, Mascara8 BOOLEAN DEFAULT 0,
  Mascara9 BOOLEAN DEFAULT 0, Mascara10 BOOLEAN DEFAULT 0, Mascara11 BOOLEAN DEFAULT 0, Mascara12 BOOLEAN DEFAULT 0,
  Mascara13 BOOLEAN DEFAULT 0, Mascara14 BOOLEAN DEFAULT 0, Mascara15 BOOLEAN DEFAULT 0, Mascara16 BOOLEAN DEFAULT 0,
  Alarma BOOLEAN DEFAULT 0,
  NombreAjuste0 TEXT,
  NombreAjuste1 TEXT,
  Codificacion TEXT
);

-- The LED's group byte is followed by the mode byte (0x40 blinking, 0x80 latched).
CREATE TABLE "LEDs COMU" (
  Indice INTEGER,
  NombreAjuste TEXT,
  GrupoSenyal INTEGER,
  Mascara1 BOOLEAN DEFAULT 0, Mascara2 BOOLEAN DEFAULT 0, Mascara3 BOOLEAN DEFAULT 0, Mascara4 BOOLEAN DEFAULT 0,
  Mascara5 BOOLEAN DEFAULT 0, Mascara6 BOOLEAN DEFAULT 0, Mascara7 BOOLEAN DEFAULT 0, Mascara8 BOOLEAN DEFAULT 0,
  Mascara9 BOOLEAN DEFAULT 0, Mascara10 BOOLEAN DEFAULT 0, Mascara11 BOOLEAN DEFAULT 0, Mascara12 BOOLEAN DEFAULT 0,
  Mascara13 BOOLEAN DEFAULT 0, Mascara14 BOOLEAN DEFAULT 0, Mascara15 BOOLEAN DEFAULT 0, Mascara16 BOOLEAN DEFAULT 0,
  Valor1 BOOLEAN DEFAULT 0, Valor2 BOOLEAN DEFAULT 0, Valor3 BOOLEAN DEFAULT 0, Valor4 BOOLEAN DEFAULT 0,
  Valor5 BOOLEAN DEFAULT 0, Valor6 BOOLEAN DEFAULT 0, Valor7 BOOLEAN DEFAULT 0, Valor8 BOOLEAN DEFAULT 0,
  Valor9 BOOLEAN DEFAULT 0, Valor10 BOOLEAN DEFAULT 0, Valor11 BOOLEAN DEFAULT 0, Valor12 BOOLEAN DEFAULT 0,
  Valor13 BOOLEAN DEFAULT 0, Valor14 BOOLEAN DEFAULT 0, Valor15 BOOLEAN DEFAULT 0, Valor16 BOOLEAN DEFAULT 0,
  Parpadeo BOOLEAN DEFAULT 0,
  Mantenido BOOLEAN DEFAULT 0,
  NombreAjuste0 TEXT,
  NombreAjuste1 TEXT,
  Codificacion TEXT
);

-- Switchgear: one record packing the in-use, contact and transition flags of
-- up to 8 devices (4 bytes).
CREATE TABLE "Aparamenta CTRL" (
  Indice INTEGER,
  Codificacion TEXT
);

-- Opening timers (records 1..N) and closing timers (N+1..2N) of the devices.
-- The template holds one record only: New takes its limits, time and
-- Codificacion as the defaults of every timer it builds, and the language
-- columns hold the base of the generated names ("<base><device number>").
CREATE TABLE "TiempoAperturaCierre CTRL" (
  Indice INTEGER,
  NombreAjuste TEXT,
  NumeroOrden INTEGER,
  AparamentaSeleccionada BOOLEAN DEFAULT 0,
  Contacto BOOLEAN DEFAULT 0,
  EstadoTransicion INTEGER DEFAULT 0,
  TipoTemporizador TEXT,
  Temporizador INTEGER,
  Minimo INTEGER,
  Maximo INTEGER,
  Configurable BOOLEAN DEFAULT 1,
  NombreAjuste0 TEXT,
  NombreAjuste1 TEXT,
  Codificacion TEXT
);

-- Control input terminals. Empty in the template: New appends the terminals
-- of switchgear, orders, digital inputs and pulse inputs. Codificacion is the
-- physical input ("EC n") as one byte, 00 = none.
CREATE TABLE "Entradas CTRL" (
  Indice INTEGER,
  NombreAjuste TEXT,
  TipoEntrada TEXT,
  NumeroOrden INTEGER,
  Codificacion TEXT
);

-- Pulse inputs: names only, never sent to the relay.
CREATE TABLE "EntradasPulsos CTRL" (
  Indice INTEGER,
  NombreAjuste TEXT,
  NombreAjuste0 TEXT,
  NombreAjuste1 TEXT
);

-- Digital inputs and their filter time (2 bytes).
CREATE TABLE "TiempoEntradas CTRL" (
  Indice INTEGER,
  NombreAjuste TEXT,
  TemporizadorEntradaControl INTEGER,
  Minimo INTEGER,
  Maximo INTEGER,
  TemporizadorAjustable BOOLEAN DEFAULT 0,
  NombreAjuste0 TEXT,
  NombreAjuste1 TEXT,
  Codificacion TEXT
);

-- Remote orders (manoeuvres) and their actuation time (2 bytes). The failure
-- and output times, the time-outs and the conditions follow the same Indice.
CREATE TABLE "TiempoPrevio CTRL" (
  Indice INTEGER,
  NombreAjuste TEXT,
  Configurable BOOLEAN DEFAULT 1,
  TiempoActuacion INTEGER,
  Minimo INTEGER,
  Maximo INTEGER,
  NombreAjuste0 TEXT,
  NombreAjuste1 TEXT,
  Codificacion TEXT
);

CREATE TABLE "TiempoFallo CTRL" (
  Indice INTEGER,
  TiempoFallo INTEGER,
  Minimo INTEGER,
  Maximo INTEGER,
  Codificacion TEXT
);

CREATE TABLE "TiempoSalida CTRL" (
  Indice INTEGER,
  TiempoSalida INTEGER,
  Minimo INTEGER,
  Maximo INTEGER,
  Codificacion TEXT
);

-- Confirmation time-outs, 1 to 60 (2 bytes).
CREATE TABLE "EsperaConfirmacion CTRL" (
  Indice INTEGER,
  NombreAjuste TEXT,
  Tiempo INTEGER,
  NombreAjuste0 TEXT,
  NombreAjuste1 TEXT,
  Codificacion TEXT
);

-- Conditions of the orders (20 bytes): masks and values over 64 command bits
-- and 16 external states, kept as hexadecimal texts, most significant first.
-- 4 actuation, 3 failure and 1 success condition per order.
CREATE TABLE "Actuacion CTRL" (
  Indice INTEGER,
  NombreAjuste TEXT,
  MascaraBitMando TEXT,
  MascaraEstado TEXT,
  ValorBitMando TEXT,
  ValorEstado TEXT,
  Codificacion TEXT
);

CREATE TABLE "Fallo CTRL" (
  Indice INTEGER,
  NombreAjuste TEXT,
  MascaraBitMando TEXT,
  MascaraEstado TEXT,
  ValorBitMando TEXT,
  ValorEstado TEXT,
  Codificacion TEXT
);

CREATE TABLE "Exito CTRL" (
  Indice INTEGER,
  NombreAjuste TEXT,
  MascaraBitMando TEXT,
  MascaraEstado TEXT,
  ValorBitMando TEXT,
  ValorEstado TEXT,
  Codificacion TEXT
);

-- Protection inputs: the assigned function as one byte (index in the model's
-- function list).
CREATE TABLE "Entradas PROT" (
  Indice INTEGER,
  NombreAjuste TEXT,
  ValorEntrada INTEGER,
  ValorTextoEntrada TEXT,
  NombreAjuste0 TEXT,
  NombreAjuste1 TEXT,
  Codificacion TEXT
);

-- Alarm texts of the events, 24 bytes each. Empty in the template: New adds
-- one record per event of the model.
CREATE TABLE "TextoEventos COMU" (
  Indice INTEGER,
  NumeroOrden INTEGER,
  TipoTexto TEXT,
  Texto TEXT,
  Codificacion TEXT
);

-- Objects of the front-panel display, 12 bytes each. Empty: the user draws.
CREATE TABLE "Grafico COMU" (
  Identificador INTEGER,
  apaN2 INTEGER,
  apa INTEGER,
  cpu INTEGER,
  txt TEXT,
  txt_m TEXT,
  txt_u TEXT,
  unidad_m INTEGER,
  txtb0 TEXT,
  txtb1 TEXT,
  oper_b INTEGER,
  oper_c INTEGER,
  oper_d INTEGER,
  donde INTEGER,
  x INTEGER,
  y INTEGER,
  pag INTEGER,
  Codificacion TEXT
);

-- Tables every configuration keeps whatever its model.

-- The catalogue pattern of the configuration's model; filled by New.
CREATE TABLE "Modelo" (
  Modelo TEXT
);

-- General information; the text sizes bound what the user may type.
CREATE TABLE "Varios" (
  Subestacion TEXT(50),
  Linea TEXT(50),
  Comentarios TEXT(255),
  FechaCreacion DATETIME,
  UltimaModificacion DATETIME
);

-- Serial parameters the configuration was last used with (kept for other
-- tools; the program does not read them).
CREATE TABLE "Comunicaciones" (
  NumeroRele INTEGER,
  Puerto INTEGER,
  Velocidad INTEGER,
  BitsDatos INTEGER,
  Paridad TEXT,
  BitsStop INTEGER
);

-- Format of the configuration file (kept for other tools).
CREATE TABLE "Version" (
  Version TEXT,
  Fecha DATETIME
);

-- Which editor menu entry belongs to which table: CPU 0 protection menu,
-- 1 control menu, 2 front-panel menu; MenuIndex -1 for tables edited inside
-- another table's editor.
CREATE TABLE "CONST-Menu" (
  TablaCONST TEXT,
  MenuIndex INTEGER,
  CPU INTEGER
);
