#include "core/textos_ventanas.h"

#include <QHash>

namespace tarvo {
namespace {

using P = AsignacionTexto::Propiedad;

QList<AsignacionTexto> Madre() {
    QList<AsignacionTexto> l = {
        {"mnuArchivo", 42},        {"mnuNuevo", 1},          {"mnuAbrir", 2},
        {"mnuGuardar", 3},         {"mnuGuardarComo", 4},    {"mnuInformacion", 5},
        {"mnuCrearInforme", 6},    {"mnuEnviarAjustes", 7},  {"mnuRecibirAjustes", 8},
        {"mnuSalir", 9},           {"mnuModoTrabajo", 10},   {"mnuEmulacionRele", 11},
        {"mnuConexionRele", 12},   {"mnuAjustes", 13},       {"mnuAjustesControl", 14},
        {"mnuAjustesProteccion", 28}, {"mnuAjustesComunicacion", 33},
        {"mnuConfiguracion", 37},  {"mnuAyuda", 39},         {"mnuContenido", 40},
        {"mnuAcercaDe", 41},
        {"mnuHerramientas", 3300}, {"mnuCompararFichero", 3301}, {"mnuCompararRele", 3302},
        {"mnuEnviarVerificar", 3303}, {"mnuEnviarCambios", 3304}, {"mnuExportarTexto", 3278},
        {"mnuImportarTexto", 3279}, {"mnuComprobar", 3280},       {"mnuConvertir", 3281},
        {"btnNuevo", 50, P::Ayuda},  {"btnAbrir", 51, P::Ayuda}, {"btnGuardar", 52, P::Ayuda},
        {"btnReleOnOff", 43, P::Ayuda}, {"btnEnviarAjustes", 7, P::Ayuda}, {"btnRecibirAjustes", 8, P::Ayuda},
        {"btnAyuda", 40, P::Ayuda},  {"btnSalir", 9, P::Ayuda},
    };
    // Entries 2, 7 and 12 of the control menu are separators.
    const int control[] = {15, 16, -1, 17, 18, 19, 20, -1, 21, 22, 23, 24, -1, 25, 26, 27};
    for (int i = 0; i < 16; ++i)
        if (control[i] > 0) l.append({QString("mnuAjusteControl_%1").arg(i), control[i]});
    const int proteccion[] = {17, 30, 21, 22};
    for (int i = 0; i < 4; ++i) l.append({QString("mnuAjusteProteccion_%1").arg(i), proteccion[i]});
    const int comunicacion[] = {22, 35, 36};
    for (int i = 0; i < 3; ++i) l.append({QString("mnuAjusteComunicacion_%1").arg(i), comunicacion[i]});
    for (int i = 1; i <= 5; ++i) l.append({QString("StatusBar1_%1").arg(i), 59 + i, P::Ayuda});
    return l;
}

// The controls every setting editor has.
QList<AsignacionTexto> Editor(int titulo, const QList<AsignacionTexto> &propios) {
    QList<AsignacionTexto> l = {{"Ventana", titulo},        {"lbl_NombreAjustes", 2000}, {"btn_SaveChanges", 2001},
                                {"btn_UndoChanges", 2002},  {"SSCommand1", 2003},        {"btn_Exit", 2004},
                                {"pnl_Aviso", 2005},        {"btn_Previous", 2006, P::Ayuda},
                                {"btn_Next", 2007, P::Ayuda}};
    return l + propios;
}

// The control input editors: the assigned input and the list of inputs.
QList<AsignacionTexto> EditorEntradas(int titulo, const QList<AsignacionTexto> &propios = {}) {
    return Editor(titulo, QList<AsignacionTexto>{{"lbl_Borna", 2021}, {"lbl_EntradasControl", 2022}} + propios);
}

// The alarm or signalling choice of the event editors.
QList<AsignacionTexto> Alarma() { return {{"frm_alarma", 2058}, {"Opt_Alarma", 2059}, {"Opt_Senyalizacion", 2060}}; }

// The signal lists and the condition of the condition editors.
QList<AsignacionTexto> ListasCondicion() { return {{"lbl_lista1", 2073}, {"lbl_lista2", 2074}, {"lbl_lista3", 2075}}; }

// The display objects' property dialogs: "Aceptar" and "Cancelar".
QList<AsignacionTexto> Dialogo(const QList<AsignacionTexto> &propios) {
    return QList<AsignacionTexto>{{"C1_0", 140}, {"C1_1", 141}} + propios;
}

const QHash<QString, QList<AsignacionTexto>> &Tablas() {
    static const QHash<QString, QList<AsignacionTexto>> tablas = {
        {"MADRE", Madre()},
        {"portada", {{"lblTitulo", 1010}, {"lblSubtitulo", 1011}}},
        {"OPCIONE",
         {{"Ventana", 1300},     {"TabOpciones_0", 1301}, {"TabOpciones_1", 1302}, {"TabOpciones_2", 1303},
          {"lblPuerto", 110},    {"lblVelocidad", 111},   {"lblLongPalabra", 112}, {"lblParidad", 113},
          {"lblBitsStop", 114},  {"lblWorkPath", 1304},   {"lblBDPath", 1305},     {"cmdOK", 140},
          {"cmdCancel", 141},    {"cmdApply", 142}}},
        {"ACERCA",
         {{"Ventana", 1003}, {"lblTitle", 1004}, {"txtDescription", 1002}, {"cmdOK", 140}, {"cmdSysInfo", 1001}}},
        {"AYUDA", {{"Ventana", 1353}, {"cmdClose", 147}}},
        {"cnt_Aparamenta",
         Editor(2010, {{"lbl_TemporizadorApertura", 2011}, {"lbl_TemporizadorCierre", 2012},
                       {"chk_ContactoEntradas", 2013}, {"etiq_contacto", 2014}})},
        {"cnt_EntradasAparamenta", EditorEntradas(2020)},
        {"cnt_EntradasDigitales", EditorEntradas(2090, {{"lbl_Temporizador", 2091}})},
        {"cnt_EntradasPulsos", EditorEntradas(2092)},
        {"cnt_EntradasRTU", EditorEntradas(2093)},
        {"cnt_Salidas", Editor(2050, {})},
        {"cnt_Eventos", Editor(2051, Alarma())},
        {"cnt_BitDeMando", Editor(2052, {})},
        {"prt_Entradas", Editor(2053, {{"lbl_Entrada", 2061}, {"lbl_Funcion", 2062}})},
        {"prt_Ands", Editor(2054, {})},
        {"prt_Salidas", Editor(2055, {})},
        {"prt_Eventos", Editor(2056, Alarma())},
        {"com_Eventos", Editor(2057, Alarma())},
        {"cnt_Temporizadores",
         Editor(2110, {{"lbl_TemporizadorActuacion", 2111}, {"lbl_TemporizadorFallo", 2112},
                       {"lbl_TemporizadorSalida", 2113}})},
        {"cnt_TimeOut", Editor(2114, {})},
        {"com_Leds",
         Editor(2115, {{"frm_Parpadeo", 2116}, {"Opt_ParOn", 2117}, {"Opt_ParOff", 2118}, {"frm_Mantenido", 2119},
                       {"Opt_ManOn", 2117}, {"opt_ManOff", 2118}})},
        {"com_Grafico",
         {{"Ventana", 2160}, {"C1", 2161}, {"btn_Exit", 2004}, {"btn_Previous", 2162, P::Ayuda},
          {"btn_Next", 2163, P::Ayuda}, {"lbl_Fichero", 2164}}},
        {"cnt_CondiActuacion", Editor(2070, ListasCondicion())},
        {"cnt_CondFallo", Editor(2071, ListasCondicion())},
        {"cnt_CondiExito", Editor(2072, ListasCondicion())},
        {"PROGRESO", {{"lblTotal", 2030}, {"lblActual", 2031}}},
        {"DEPURA", {{"Ventana", 2032}, {"cmdBorrarEnviar", 2033}, {"cmdBorrarRecibir", 2034}}},
        {"ERRCOM", {{"Ventana", 2035}, {"lblTitulo", 2036}, {"cmdOK", 140}}},
        {"IDRELE", {{"Ventana", 2037}, {"lblNumero", 2038}, {"lblClave", 2039}, {"cmdOK", 140}, {"cmdCancel", 141}}},
        {"CONEXION", {{"Ventana", 2040}, {"lblEspera", 2041}}},
        {"SELECCIO", {{"Ventana", 1050}, {"lbl_Etiqueta", 1051}, {"btn_Aceptar", 140}, {"btn_Cancelar", 141}}},
        {"METEAPARA", Dialogo({{"Frame1", 1756}, {"Option1_0", 2117}, {"Option1_1", 2118}})},
        {"METEPERMI", Dialogo({{"Frame2", 2121}, {"Option1_0", 2122}, {"Option1_1", 2123}})},
        {"METEMANIO", Dialogo({{"lbl_Lista_0", 2125}, {"Label2", 2124}})},
        {"METEESEV",
         Dialogo({{"Frame_0", 2126}, {"Frame_2", 2127}, {"Label2", 2128}, {"Label3", 756}, {"Label4", 757}})},
        {"METEIOS", Dialogo({{"Ventana", 2129}, {"Frame_0", 2126}, {"lbl_Lista_0", 2130}, {"lbl_Lista_1", 2131},
                             {"lbl_Lista_2", 2130}, {"lbl_Lista_3", 2131}, {"Label2", 2132}, {"Label3", 2133},
                             {"Label4", 2134}})},
        {"METEMEDI", Dialogo({{"Ventana", 2135}, {"lbl_Lista_0", 2136}, {"lbl_Cabecera", 2137}, {"lbl_Medida", 543},
                              {"lbl_Unidad", 2138}})},
        {"METECONTA", Dialogo({{"lbl_Lista_0", 2125}, {"Frame1", 2138}, {"Option1_0", 2139}, {"Option1_1", 2140},
                               {"Option1_2", 2141}, {"Option1_3", 2142}})},
        {"METEANALO", Dialogo({{"lbl_Lista_0", 2125}, {"Frame1", 2143}, {"lbl_Maximo", 2144}, {"lbl_Minimo", 2145},
                               {"lbl_Decimales", 2146}, {"Frame2", 2147}})},
        {"METETXT", Dialogo({})},
        {"NUMGRA", Dialogo({{"Ventana", 2148}, {"Label1", 2149}})},
        {"Informacion",
         {{"Frame1", 1031},       {"Frame2", 1035},       {"lblFichero", 1032},     {"lblModeloRele", 1033},
          {"lblBaseDatos", 1034}, {"lblHuella", 3321}, {"lblSubestacion", 1036}, {"lblLinea", 1037},   {"lblComentarios", 1038},
          {"cmdApply", 142},      {"cmdClose", 147}}},
        {"Informe",
         {{"Ventana", 1853}, {"btn_Previous", 2230, P::Ayuda}, {"btn_Next", 2231, P::Ayuda}, {"imprimir", 2190},
          {"btn_ExportarPdf", 2191}, {"btn_Exit", 2004}}},
    };
    return tablas;
}

}  // namespace

const QList<AsignacionTexto> &TextosVentana(const QString &clave) {
    static const QList<AsignacionTexto> ninguna;
    const auto it = Tablas().constFind(clave);
    return it == Tablas().constEnd() ? ninguna : *it;
}

QStringList ClavesConTextos() {
    QStringList claves = Tablas().keys();
    claves.sort();
    return claves;
}

}  // namespace tarvo
