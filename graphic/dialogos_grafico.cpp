#include "graphic/dialogos_grafico.h"

#include "core/pagina437.h"
#include "store/objetos_display.h"
#include "store/tablas.h"

namespace tarvo {

void PreparaTexto(ParametrosDialogo &p, int codigo) {
    p.apa = qint16(codigo);
    p.maximo1 = codigo == 36 ? 4 : codigo == ApaFichero ? 12 : 7;
    p.maximo2 = codigo == 36 ? 2 : 0;
    p.extendidos = codigo == ApaTexto;
}

CatalogosDialogos CargaCatalogosDialogos(Contexto &ctx, bd::BaseDatos *abierta) {
    CatalogosDialogos c;
    for (const MedidaDisplay &m : CargaMedidas(ctx)) {
        QString unidad = m.Unidad;
        PasaStringATerminal(unidad);
        c.medidas.append({m.Nombre, m.CPU, m.Donde, 0, 0, unidad, m.Unidades});
    }
    for (const EstadoDisplay &e : CargaEstadoEventos(ctx, abierta).estados)
        if (e.CPU >= 0 && e.CPU < 3) c.estados[e.CPU].append({e.Descripcion, e.CPU, e.ByteComunicaciones, e.Bit});
    // The relay keeps each processor's events as a bit field in event order:
    // event n (from 1) is bit (n-1) mod 8 of byte (n-1) div 8.
    try {
        std::unique_ptr<bd::BaseDatos> propia;
        bd::BaseDatos &trabajo = CopiaTrabajoAbierta(ctx, abierta, propia);
        const char *tablas[] = {"Eventos PROT", "Eventos CTRL", "Eventos COMU"};
        for (int l = 0; l < 3; ++l) {
            if (!ExisteTabla(trabajo, tablas[l])) continue;
            auto rs = trabajo.OpenRecordset(tablas[l], bd::TipoRecordset::Snapshot);
            for (rs->MoveFirst(); !rs->AtEOF(); rs->MoveNext()) {
                const int n = rs->Value("Indice").toInt() - 1;
                c.eventos[l].append({rs->Value("NombreAjuste").toString().trimmed(), l, n / 8, n % 8});
            }
        }
    } catch (const std::exception &e) {
        InformaError(ctx, "CargaCatalogosDialogos", e);
    }
    const auto io = CargaEntradasSalidas(ctx);
    for (auto it = io.begin(); it != io.end(); ++it)
        for (const EntradaSalidaDisplay &b : *it) {
            const int lista = b.CPU * 2 + b.Tipo;
            if (lista >= 0 && lista < 4) c.bornas[lista].append({b.Entrada + " " + b.Nombre, b.CPU, b.Donde, b.Bit});
        }
    // Type 0 are the counters, type 1 the analogue values.
    const auto valores = CargaContadoresAnalogicas(ctx);
    for (const ContadorDisplay &v : valores.value(0)) c.contadores.append({v.Nombre, v.CPU, v.Donde});
    for (const ContadorDisplay &v : valores.value(1)) c.analogicos.append({v.Nombre, v.CPU, v.Donde});
    const AparamentaYManiobras am = CargaEstadoEventosAparamenta(ctx, abierta);
    // Switchgear lives in the control processor.
    for (const AparamentaDisplay &a : am.aparamenta)
        c.aparamenta.append({a.Nombre, 1, a.ByteComunicacion, a.PosicionEstado});
    for (const ManiobraDisplay &m : am.maniobras) c.maniobras.append({m.Nombre, m.CPU, 0, 0, m.Indice});
    CargaObjetosTexto(ctx, c.textos);
    return c;
}

bool TeclaDeDisplay(QChar letra, bool extendidos, const QList<EntradaCatalogoTexto> &textos) {
    const auto codigo = CodigoRele(letra);
    if (!codigo) return false;
    if (*codigo < 128) return CaracterDeDisplay(*codigo);
    if (!extendidos) return false;
    for (const EntradaCatalogoTexto &t : textos)
        if (t.codigo == *codigo) return t.boton == -1;
    return false;
}

void PasaStringATerminal(QString &texto) {
    static const std::pair<int, int> tabla[] = {{252, 129}, {233, 130}, {220, 154}, {225, 160}, {237, 161},
                                               {243, 162}, {250, 163}, {241, 164}, {209, 165}, {170, 166},
                                               {186, 167}, {191, 168}, {161, 173}, {248, 237}, {176, 248},
                                               {178, 253}};
    for (QChar &c : texto)
        for (const auto &[estacion, display] : tabla)
            if (c.unicode() == estacion) {
                c = LetraRele(quint8(display));
                break;
            }
}

QString ParametroEscala(int maximo, int minimo, int decimales) {
    return CampoOperando(maximo & 0xFFFF) + CampoOperando(minimo & 0xFFFF) + "4" + QString::number(decimales);
}

QString ParametroFormato(int formato) { return "00000000" + QString::number(formato) + "0"; }

std::optional<Escala> LeeParametroEscala(const QString &parametro) {
    if (parametro.size() != 10 || parametro[8] != '4') return std::nullopt;
    bool ok[3];
    auto valor = [&](int desde, bool &b) {   // low byte first, signed 16 bits
        const int v = (parametro.mid(desde + 2, 2) + parametro.mid(desde, 2)).toInt(&b, 16);
        return qint16(v);
    };
    Escala e{valor(0, ok[0]), valor(4, ok[1]), parametro.mid(9, 1).toInt(&ok[2])};
    if (!ok[0] || !ok[1] || !ok[2]) return std::nullopt;
    return e;
}

int LeeParametroFormato(const QString &parametro) {
    if (parametro.size() != 10 || !parametro.startsWith("00000000") || parametro[9] != '0') return 0;
    const int f = parametro.mid(8, 1).toInt();
    return f >= 1 && f <= 3 ? f : 0;
}

void DialogosGuionizados::Responde(const QString &rutina, Cambio cambio) {
    guion_.push_back({rutina, cambio ? std::move(cambio) : [](ParametrosDialogo &) {}});
}

void DialogosGuionizados::Cancela(const QString &rutina) { guion_.push_back({rutina, {}}); }

QStringList DialogosGuionizados::Pendientes() const {
    QStringList l;
    for (const Paso &p : guion_) l << p.rutina;
    return l;
}

bool DialogosGuionizados::Contesta(const QString &rutina, ParametrosDialogo &p) {
    preguntas_.append({rutina, p});
    if (guion_.empty() || guion_.front().rutina != rutina) {
        inesperados_ << rutina;
        p.aceptado = false;
        return false;
    }
    const Paso paso = guion_.front();
    guion_.pop_front();
    p.aceptado = bool(paso.cambio);
    if (p.aceptado) paso.cambio(p);
    return p.aceptado;
}

}  // namespace tarvo
