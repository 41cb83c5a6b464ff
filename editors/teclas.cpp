#include "editors/teclas.h"

#include "core/pagina437.h"

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
        // The display's character set is code page 437: "ñ" is allowed as its
        // relay code 164, not as the platform's 241.
        if (tipo_ == NombreDisplay) {
            const auto rele = CodigoRele(texto.at(0));
            if (!rele || !CaracterDeDisplay(*rele)) return Rechaza(522);
        }
        // At the limit the user is told even when a selection would make room;
        // the key then replaces the selection, and the box refuses it otherwise.
        if (caja->text().size() >= LimiteNombre) Muestra(523);
        return false;
    }

private:
    bool Rechaza(int texto) {
        QApplication::beep();
        Muestra(texto);
        return true;
    }
    void Muestra(int texto) {
        ctx_.ui->Muestra({ctx_.dic.Texto(texto), ctx_.T148(), Icono::Critico, Botones::Aceptar});
    }
    Contexto &ctx_;
    Tipo tipo_;
};

}  // namespace

void ValidaTeclaNumero(Contexto &ctx, QLineEdit *caja) { caja->installEventFilter(new Filtro(ctx, Filtro::Numero, caja)); }

void ValidaTeclaNombre(Contexto &ctx, QLineEdit *caja, bool restringido) {
    caja->setMaxLength(LimiteNombre);
    caja->installEventFilter(new Filtro(ctx, restringido ? Filtro::NombreDisplay : Filtro::Nombre, caja));
}

}  // namespace tarvo
