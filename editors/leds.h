// The front-panel LEDs: each lights on a combination of up to 16 events of one
// event group, and may blink and latch.
#pragma once

#include "editors/editor_tabla.h"

class QRadioButton;

namespace tarvo {

class com_Leds : public EditorTabla {
    Q_OBJECT
public:
    com_Leds(Contexto &ctx, VentanaMadre &madre, QWidget *parent = nullptr);
    // The events offered to the LEDs, renumbered so the three event tables do
    // not collide; the control and protection parts only where their menu
    // entries are enabled.
    static QString ConsultaEventos(bool control, bool proteccion);
    // The rows of that query in order of their renumbered index.
    static QList<std::pair<int, QString>> EventosOfrecidos(bd::BaseDatos &db, bool control, bool proteccion);
    // The event group each tab stores: protection groups upward from 0,
    // front-panel groups ending at 5, control groups just below those.
    static QList<int> MapaGrupos(int proteccion, int control, int comunicaciones);

protected:
    void CargaGrupos() override;
    int CuentaPestanas() const override { return int(mapa_.size()); }
    int GrupoDePestana(int pestana) const override { return mapa_.value(pestana); }
    int PestanaDeGrupo(int grupo) const override;
    QString EtiquetaSenyal(int pestana, int i) const override { return etiquetas_.value(16 * pestana + i); }
    void MuestraRegistro() override;
    bool Guarda() override;

private:
    QList<int> mapa_;
    QStringList etiquetas_;   // the names of the offered events, in tab order
    QRadioButton *parOn_, *parOff_, *manOn_, *manOff_;
};

}  // namespace tarvo
