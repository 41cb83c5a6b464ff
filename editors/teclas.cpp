#include "editors/teclas.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace tarvo {
namespace {

constexpr int LimiteNombre = 23;

class Filtro : public QObject {
public:
    enum Tipo { Numero, Nombre, NombreDisplay };
    Filtro(Contexto &ctx, Tipo tipo, QObject *padre) : QObject(padre), ctx_(ctx), tipo_(tipo) {}

protected:
    bool eventFilter(QObject *o, QEvent *e) override {
        if (e->type() != QEvent::KeyPress) return false;
        const auto *tecla = static_cast<QKeyEvent *>(e);
        // Shortcuts (select all, copy, paste) are the box's own business.
        if (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
        const QString texto = tecla->text();
        // Only keys that type a character are filtered. Moving and editing keys
        // (Tab, Delete, Backspace, Enter, Escape) carry a control code or no
        // text at all, and must pass, or the user cannot leave the box.
        const uint codigo = texto.isEmpty() ? 0 : texto.at(0).unicode();
        if (codigo < 32 || codigo == 127) return false;
        auto *caja = static_cast<QLineEdit *>(o);
        if (tipo_ == Numero) {
            if (codigo >= '0' && codigo <= '9') return false;
            return Rechaza(521);
        }
        if (tipo_ == NombreDisplay && !CaracterDeDisplay(codigo)) return Rechaza(522);
        if (caja->text().size() >= LimiteNombre && !caja->hasSelectedText()) {
            Muestra(523);
            return true;
        }
        return false;
    }

private:
    bool Rechaza(int texto) {
        QApplication::beep();
        Muestra(texto);
        return true;
    }
    void Muestra(int texto) {
        ctx_.ui->Muestra({ctx_.dic.Texto(texto), ctx_.T148(), Icono::Exclamacion, Botones::Aceptar});
    }
    Contexto &ctx_;
    Tipo tipo_;
};

}  // namespace

bool CaracterDeDisplay(uint c) {
    return (c >= 32 && c <= 126) || (c >= 128 && c <= 130) || c == 154 || (c >= 160 && c <= 168) || c == 173;
}

void ValidaTeclaNumero(Contexto &ctx, QLineEdit *caja) { caja->installEventFilter(new Filtro(ctx, Filtro::Numero, caja)); }

void ValidaTeclaNombre(Contexto &ctx, QLineEdit *caja, bool restringido) {
    caja->setMaxLength(LimiteNombre);
    caja->installEventFilter(new Filtro(ctx, restringido ? Filtro::NombreDisplay : Filtro::Nombre, caja));
}

}  // namespace tarvo
