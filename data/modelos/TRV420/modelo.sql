-- TRV-420: overcurrent protection with front panel and no control processor
-- (CPU 0 and CPU 2 only). Two protection event groups and one front-panel
-- event group; event texts but no display graphic. Its relay speaks English.

INSERT INTO "Versiones" (ver) VALUES ('1.12');

-- Table catalogue, in transfer order. Table groups start at 2 in every CPU
-- (group 1 holds the configuration state); blocks as bytes / 4 rounded up,
-- the event texts over the relay's 96 slots (576 values).
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (0, 2, 'Entradas PROT', 10, 16, 3);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (0, 3, 'ANDs PROT', 8, 32, 12);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (0, 4, 'Salidas PROT', 5, 16, 8);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (0, 5, 'Eventos PROT', 32, 64, 32);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (2, 2, 'Eventos COMU', 16, 32, 16);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1)
  VALUES (2, 3, 'LEDs COMU', 8, 16, 12);
INSERT INTO "Tarvo Configuracion" (CPU, GRUPO, NombreTablaCONST, NumeroEntidades, NumeroEntidadesTotal, indice1, indice2, indice3, indice4, indice5, indice6, indice7, indice8, indice9, indice10)
  VALUES (2, 4, 'TextoEventos COMU', 48, 96, 60, 60, 60, 60, 60, 60, 60, 60, 60, 36);

CREATE TABLE "Tarvo IdiomaRele" (
  Idioma TEXT
);
INSERT INTO "Tarvo IdiomaRele" (Idioma) VALUES ('English');
