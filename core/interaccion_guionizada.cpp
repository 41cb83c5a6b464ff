#include "core/interaccion_guionizada.h"

namespace tarvo {
namespace {

Boton Cancelacion(Botones b) {
    switch (b) {
    case Botones::Aceptar: return Boton::Aceptar;
    case Botones::SiNo: return Boton::No;
    case Botones::AbortarReintentarIgnorar: return Boton::Abortar;
    default: return Boton::Cancelar;
    }
}

}  // namespace

void InteraccionGuionizada::Espera(const QString &fragmento, Boton respuesta) {
    guion_.push_back({fragmento, respuesta});
}

void InteraccionGuionizada::EsperaFichero(std::optional<QString> ruta) { ficheros_.push_back(ruta.value_or(QString())); }

void InteraccionGuionizada::EsperaCarpeta(std::optional<QString> ruta) { carpetas_.push_back(ruta.value_or(QString())); }

namespace {

std::optional<QString> Saca(std::deque<QString> &cola) {
    const QString r = cola.front();
    cola.pop_front();
    if (r.isNull()) return std::nullopt;
    return r;
}

}  // namespace

Boton InteraccionGuionizada::Muestra(const Mensaje &m) {
    mostrados_.append(m);
    if (!guion_.empty() && m.texto.contains(guion_.front().fragmento)) {
        const Boton r = guion_.front().respuesta;
        guion_.pop_front();
        return r;
    }
    if (!(aceptaAvisos_ && m.botones == Botones::Aceptar)) inesperados_.append(m.texto);
    return Cancelacion(m.botones);
}

std::optional<QString> InteraccionGuionizada::EligeFichero(const ConsultaFichero &c) {
    if (ficheros_.empty()) {
        inesperados_.append("file chooser: " + c.titulo);
        return std::nullopt;
    }
    return Saca(ficheros_);
}

std::optional<QString> InteraccionGuionizada::EligeCarpeta(const QString &titulo, const QString &) {
    if (carpetas_.empty()) {
        inesperados_.append("folder chooser: " + titulo);
        return std::nullopt;
    }
    return Saca(carpetas_);
}

void InteraccionGuionizada::EsperaModelo(std::optional<QString> linea) { modelos_.push_back(linea.value_or(QString())); }

std::optional<QString> InteraccionGuionizada::EligeModelo(const QStringList &lineas, bool aceptar) {
    modelosOfrecidos_ = lineas;
    if (modelos_.empty()) {
        inesperados_.append("model choice");
        return std::nullopt;
    }
    auto r = Saca(modelos_);
    // Nothing can be accepted from a list that only explains itself.
    if (!aceptar) return std::nullopt;
    if (r && !lineas.contains(*r)) {
        inesperados_.append("model not offered: " + *r);
        return std::nullopt;
    }
    return r;
}

void InteraccionGuionizada::PonEstado(const QString &texto) {
    estado_ = texto;
    estados_.append(texto);
}

QStringList InteraccionGuionizada::Pendientes() const {
    QStringList l;
    for (const auto &p : guion_) l.append(p.fragmento);
    return l;
}

}  // namespace tarvo
