#include "graphic/editor_grafico.h"

#include "core/pagina437.h"
#include "store/db/basedatos.h"

namespace tarvo {
namespace {

bool EsAparamentaConDialogo(int tipo) { return tipo >= 0 && tipo <= 7; }

// Kinds whose drawing is fixed: double-clicking them has nothing to ask.
bool SinPropiedades(int tipo) {
    return (tipo >= 11 && tipo <= 19) || CodigoCaracter(tipo) >= 0 || tipo == 44;
}

// Kinds whose size is known before the dialog: the place is checked first,
// so that the user is not asked for an object that cannot go there.
bool TamanoFijo(int tipo) { return Tipo(tipo).ancho > 0 && tipo != 20; }

// Whether every cell of the drawing lies on its page and is free in `m`.
bool Cabe(const ModeloPantalla &m, const QList<CeldaDibujo> &dibujo) {
    for (const CeldaDibujo &c : dibujo)
        if (m.En(c.celda.pag, c.celda.fila, c.celda.col).objeto != 0) return false;
    return true;
}

QList<CeldaDibujo> DibujoCompleto(const ObjetoGrafico &o, const QString &etiqueta, int idioma) {
    QList<CeldaDibujo> d = DibujoObjeto(o, idioma);
    if (o.apaN2 == 47) d += DibujoObjeto(EtiquetaManiobra(o, etiqueta), idioma);
    return d;
}

}  // namespace

AccionCelda SeleccionaObjetoAccion(qint16 valor, int boton) {
    if (valor == MapaPantalla::Reservada) return {-1, -1, true};
    if (valor != 0) return {-1, 2, false};
    return {boton, boton < 0 ? -1 : 0, false};
}

EditorGrafico::EditorGrafico(Contexto &ctx, DialogosGrafico &dialogos) : ctx_(ctx), dialogos_(&dialogos) {}

EditorGrafico::~EditorGrafico() { Cierra(); }

bool EditorGrafico::CargaDatosObjeto() {
    return CargaTodosObjetos(ctx_, objetos_) && CargaObjetosTexto(ctx_, textos_) && CargaObjetosFijos(ctx_, fijos_);
}

bool EditorGrafico::Abre() {
    cerrado_ = false;
    if (!Reanuda()) return false;
    try {
        const QList<ObjetoGrafico> objetos = Objetos();
        modelo_.Carga(objetos, ctx_.app.IdiomaRele);
        nombreFichero_.clear();
        for (const ObjetoGrafico &o : objetos)
            if (o.apa == ApaFichero) nombreFichero_ = NombreDeObjetoFichero(o);
    } catch (const std::exception &e) {
        InformaError(ctx_, "CargaObjetosEnPantalla", e);
        return false;
    }
    cursor_ = {0, 0, 0};
    return true;
}

void EditorGrafico::Suspende() {
    if (!db_) return;
    rs_.reset();
    db_.reset();
    ctx_.app.BaseTrabajoAbierta = false;
}

bool EditorGrafico::Reanuda() {
    if (db_ || cerrado_) return db_ != nullptr;
    try {
        db_ = bd::BaseDatos::Abrir(ctx_.app.CopiaTrabajo, bd::Apertura::Temporal);
        rs_ = db_->OpenRecordset(TablaGrafico, bd::TipoRecordset::Dynaset);
        ctx_.app.BaseTrabajoAbierta = true;
    } catch (const std::exception &e) {
        InformaError(ctx_, "AbreBaseDatos", e);
        rs_.reset();
        db_.reset();
        return false;
    }
    return true;
}

void EditorGrafico::Cierra() {
    Suspende();
    cerrado_ = true;
}

QList<int> EditorGrafico::Botones() const { return BotonesDisponibles(objetos_, textos_); }

QString EditorGrafico::NombreTipo(int tipo) const {
    if (CodigoCaracter(tipo) >= 0) return ctx_.dic.Texto(1954);
    for (const EntradaCatalogoObjeto &e : objetos_)
        if (e.boton == tipo) return e.nombre;
    for (int codigo = 0; codigo < 256; ++codigo)
        if (TipoDeCodigo(codigo) == tipo) return ctx_.dic.Texto(TextoDeCodigo(codigo));
    return QString();
}

int EditorGrafico::Filas() const { return rs_ ? rs_->RecordCount() : 0; }

QList<ObjetoGrafico> EditorGrafico::Objetos() const {
    QList<ObjetoGrafico> l;
    if (!rs_) return l;
    for (rs_->MoveFirst(); !rs_->AtEOF(); rs_->MoveNext()) l.append(LeeObjeto(*rs_));
    return l;
}

bool EditorGrafico::Pulsa(const Celda &c, int boton) {
    cursor_ = c;
    const AccionCelda a = SeleccionaObjetoAccion(modelo_.En(c.pag, c.fila, c.col).objeto, boton);
    if (a.modo != 0) {
        if (a.modo != -1 || a.pita) Pita();   // reserved or taken
        return false;
    }
    if (!rs_) return false;
    if (!PermitidoObjetoNuevo(Filas(), a.tipo)) {
        ctx_.ui->Muestra({ctx_.dic.Texto(780), ctx_.T148(), Icono::Critico, Botones::Aceptar});
        return false;
    }
    const qint16 id = a.tipo == 25 ? qint16(IdentificadorFichero) : modelo_.IdentificadorLibre();
    if (id == 0) return false;
    return FuncionOpera(id, a.tipo, 0);
}

bool EditorGrafico::Edita(const Celda &c) {
    cursor_ = c;
    const qint16 id = modelo_.En(c.pag, c.fila, c.col).objeto;
    if (id <= 0 || !Busca(id)) return false;
    return FuncionOpera(id, rs_->Value("apaN2").toInt(), 2);
}

bool EditorGrafico::Borra(const Celda &c) {
    cursor_ = c;
    return BorraObjeto(modelo_.En(c.pag, c.fila, c.col).objeto);
}

bool EditorGrafico::FuncionOpera(qint16 identificador, int tipo, int modo) {
    if (!rs_ || Tipo(tipo).familia == Familia::Ninguna) return false;
    try {
        switch (modo) {
        case 0: return Crea(identificador, tipo);
        case 1: {
            const ObjetoGrafico o = LeeObjeto(*rs_);
            QString etiqueta;
            if (tipo == 47) {
                rs_->MoveNext();
                etiqueta = rs_->AtEOF() ? QString() : rs_->Value("txt").toString();
                rs_->MovePrevious();
            }
            Dibuja(o, etiqueta);
            return true;
        }
        case 2: return EditaObjeto(identificador);
        case 3: return BorraObjeto(identificador);
        default: return false;
        }
    } catch (const std::exception &e) {
        InformaError(ctx_, Tipo(tipo).rutina, e);
        return false;
    }
}

int EditorGrafico::FijoDeTipo(int tipo) const {
    static const QList<int> preferidos[8] = {{2, 1}, {25, 47}, {6, 5}, {24, 23}, {3}, {8}, {34}, {35}};
    if (!EsAparamentaConDialogo(tipo)) return -1;
    for (int apa : preferidos[tipo])
        if (const int f = EsObjetoFijo(fijos_, apa); f >= 0) return f;
    return -1;
}

bool EditorGrafico::Pregunta(ObjetoGrafico &o, QString &etiqueta, bool edita) {
    const int tipo = o.apaN2;
    ParametrosDialogo p;
    p.modo = qint16(edita ? 2 : 0);
    p.tipo = o.apaN2;
    p.apa = o.apa;
    p.cpu = o.cpu;
    p.donde = o.donde;
    p.permiso = qint16(edita ? (o.cpu & CpuOperable) : CpuOperable);
    p.oper_b = o.oper_b;
    p.oper_c = o.oper_c;
    p.oper_d = o.oper_d;
    p.txt = o.txt;
    p.txt_m = o.txt_m;
    p.txt_u = o.txt_u;
    p.txtb0 = o.txtb0;
    p.txtb1 = o.txtb1;
    p.unidad_m = o.unidad_m;
    auto permiso = [&](qint16 cpu) { o.cpu = qint16((cpu & ~CpuOperable) | p.permiso); };

    if (EsAparamentaConDialogo(tipo)) {
        if (const int f = FijoDeTipo(tipo); f >= 0) {
            // The model fixes the switchgear: only the permission is asked.
            if (!edita) {
                const ObjetoFijo &fijo = fijos_[f];
                o.apa = fijo.apa;
                o.cpu = fijo.cpu;
                o.oper_b = 0;
                o.oper_c = fijo.oper_c;
                o.oper_d = fijo.oper_d;
                o.donde = fijo.donde;
            }
            if (!dialogos_->IntroducePermiso(p)) return false;
            permiso(o.cpu);
            return true;
        }
        if (!dialogos_->IntroduceApa(p)) return false;
        o.apa = p.apa;
        o.oper_b = p.oper_b;
        o.oper_c = p.oper_c;
        o.oper_d = p.oper_d;
        o.donde = p.donde;
        permiso(p.cpu);
        return true;
    }
    switch (tipo) {
    case 8: case 9: case 10:
        if (!dialogos_->IntroducePermiso(p)) return false;
        permiso(o.cpu);
        return true;
    case 20:
        // The first box is the outer label, the second the inner text.
        PreparaTexto(p, 36);
        p.txt = o.txtb1;
        p.txtb0 = o.txtb0;
        if (!dialogos_->IntroduceTexto(p)) return false;
        o.txtb1 = p.txt;
        o.txtb0 = p.txtb0;
        return true;
    case 21:
        PreparaTexto(p, ApaTexto);
        if (!dialogos_->IntroduceTexto(p)) return false;
        o.txt = p.txt;
        return true;
    case 22: case 23: case 24: case 42: case 43: case 45: case 46: {
        const bool aceptado = tipo == 22   ? dialogos_->IntroduceMedidas(p)
                              : tipo == 42 ? dialogos_->IntroduceContador(p)
                              : tipo == 45 ? dialogos_->IntroduceIO(p)
                              : tipo == 43 || tipo == 46 ? dialogos_->IntroduceAnalogico(p)
                                                        : dialogos_->IntroduceEstadosEventos(p);
        if (!aceptado) return false;
        // Each dialog changes only what it asks for; the rest comes back as given.
        o.apa = p.apa;
        o.cpu = p.cpu;
        o.donde = p.donde;
        o.txt_m = p.txt_m;
        o.txt_u = p.txt_u;
        o.unidad_m = p.unidad_m;
        o.txtb0 = p.txtb0;
        o.txtb1 = p.txtb1;
        return true;
    }
    case 47:
        p.edicion = edita;
        p.txt = etiqueta;
        if (!dialogos_->IntroduceManiobra(p)) return false;
        etiqueta = p.txt;
        o.oper_b = p.oper_b;
        permiso(p.cpu);
        return true;
    default:
        return true;   // fixed shapes ask nothing
    }
}

bool EditorGrafico::Crea(qint16 identificador, int tipo) {
    if (tipo == 25) return GrabaFichero();
    const Celda clic = cursor_;
    ObjetoGrafico o;
    o.Identificador = identificador;
    o.apaN2 = qint16(tipo);
    o.apa = qint16(qMax(Tipo(tipo).apa, 0));
    if (const int codigo = CodigoCaracter(tipo); codigo >= 0) o.txt = QString(LetraRele(quint8(codigo)));
    auto sinSitio = [&] {
        cursor_ = clic;
        Pita();
        return false;
    };
    if (TamanoFijo(tipo) && !modelo_.HayEspacio(clic.pag, clic.fila, clic.col, tipo)) return sinSitio();
    QString etiqueta;
    if (!Pregunta(o, etiqueta, false)) {
        cursor_ = clic;
        return false;
    }
    if (tipo == 21 && o.txt.isEmpty()) return true;   // nothing to show, nothing stored
    const std::optional<Celda> sitio = modelo_.HayEspacio(clic.pag, clic.fila, clic.col, o);
    if (!sitio) return sinSitio();
    o.pag = qint16(sitio->pag);
    o.x = qint16(sitio->fila);
    o.y = qint16(sitio->col);
    if (tipo == 47 && !Cabe(modelo_, DibujoCompleto(o, etiqueta, 0))) return sinSitio();
    Escribe(o, etiqueta, true);
    Dibuja(o, etiqueta);
    cursor_ = *sitio;
    ctx_.app.ConfiguracionGuardada = false;
    return true;
}

bool EditorGrafico::EditaObjeto(qint16 identificador) {
    if (!Busca(identificador)) return false;
    ObjetoGrafico o = LeeObjeto(*rs_);
    const int tipo = o.apaN2;
    if (SinPropiedades(tipo)) {
        const QString texto =
            NombreTipo(tipo).toUpper() + " " + ctx_.dic.Texto(2155) + " " + ctx_.dic.Texto(2154);
        ctx_.ui->Muestra({texto, ctx_.T148(), Icono::Informacion, Botones::Aceptar});
        return false;
    }
    QString etiqueta;
    if (tipo == 47) {
        rs_->MoveNext();
        if (!rs_->AtEOF()) etiqueta = rs_->Value("txt").toString();
        rs_->MovePrevious();
    }
    if (!Pregunta(o, etiqueta, true)) return false;
    // A longer text must still fit where the object stands.
    ModeloPantalla sin = modelo_;
    sin.Borra(identificador);
    if (!Cabe(sin, DibujoCompleto(o, etiqueta, 0))) {
        Pita();
        return false;
    }
    Busca(identificador);
    Escribe(o, etiqueta, false);
    modelo_.Borra(identificador);
    Dibuja(o, etiqueta);
    ctx_.app.ConfiguracionGuardada = false;
    return true;
}

bool EditorGrafico::BorraObjeto(qint16 identificador) {
    if (identificador <= 0 || !rs_) return false;
    try {
        if (Busca(identificador)) {
            const bool maniobra = rs_->Value("apaN2").toInt() == 47;
            rs_->Delete();
            if (maniobra) {
                rs_->MoveNext();
                if (!rs_->AtEOF() && rs_->Value("Identificador").toInt() == identificador &&
                    rs_->Value("apa").toInt() == ApaTexto)
                    rs_->Delete();
            }
            ctx_.app.ConfiguracionGuardada = false;
        }
    } catch (const std::exception &e) {
        InformaError(ctx_, "BorraObjeto", e);
        return false;
    }
    modelo_.Borra(identificador);
    return true;
}

bool EditorGrafico::GrabaFichero() {
    ParametrosDialogo p;
    p.tipo = 25;
    PreparaTexto(p, ApaFichero);
    p.txt = nombreFichero_;
    if (!dialogos_->IntroduceTexto(p)) return false;
    QString nombre = p.txt;
    nombre.remove(' ');
    if (nombre.isEmpty()) {
        if (Busca(IdentificadorFichero)) rs_->Delete();
        nombreFichero_.clear();
    } else {
        ObjetoGrafico o = ObjetoFichero(nombre);
        GrabaObjetoSimple(*rs_, o, true);
        // The name entered replaces the one before (the first earlier row).
        const int antes = rs_->RecordCount() - 1;
        rs_->MoveFirst();
        for (int i = 0; i < antes && !rs_->AtEOF(); ++i, rs_->MoveNext())
            if (rs_->Value("apa").toInt() == ApaFichero) {
                rs_->Delete();
                break;
            }
        nombreFichero_ = nombre;
    }
    ctx_.app.ConfiguracionGuardada = false;
    return true;
}

bool EditorGrafico::Busca(qint16 identificador) {
    if (!rs_) return false;
    for (rs_->MoveFirst(); !rs_->AtEOF(); rs_->MoveNext())
        if (rs_->Value("Identificador").toInt() == identificador) return true;
    return false;
}

void EditorGrafico::Escribe(ObjetoGrafico &o, const QString &etiqueta, bool nuevo) {
    if (o.apaN2 == 47) {
        ObjetoGrafico e;
        e.txt = etiqueta;
        GrabaObjetoManiobra(*rs_, o, e, nuevo);
        return;
    }
    GrabaObjeto(*rs_, o, nuevo);
}

void EditorGrafico::Dibuja(const ObjetoGrafico &o, const QString &etiqueta) {
    modelo_.Dibuja(o, ctx_.app.IdiomaRele);
    if (o.apaN2 == 47) modelo_.Dibuja(EtiquetaManiobra(o, etiqueta), ctx_.app.IdiomaRele);
}

}  // namespace tarvo
