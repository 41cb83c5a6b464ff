// The multilingual dictionary: every user-visible text is a numbered entry of
// the table "Idioma" of the language data file, one column per language.
#pragma once

#include "core/interaccion.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <type_traits>

namespace tarvo {

class clsDiccionario {
public:
    explicit clsDiccionario(Interaccion *ui = nullptr) : ui_(ui) {}
    void setInteraccion(Interaccion *ui) { ui_ = ui; }

    quint8 Idioma() const { return idioma_; }
    void setIdioma(quint8 idioma) { idioma_ = idioma; }

    // Loads every language of the file. nombres and etiquetas get one entry per
    // language (the column names, and the texts of record 9999). On failure
    // the fixed English message is shown and false is returned.
    bool CargarTextosIdiomas(const QString &ficheroIdiomas, QStringList &nombres, QStringList &etiquetas);

    // Text number `numero` of the current language with "#k" replaced by the
    // k-th parameter. A missing number is reported and yields a placeholder.
    QString Texto(int numero, const QVariantList &parametros = {}) const;
    template <typename... P>
    QString Texto(int numero, const P &...p) const {
        return Texto(numero, QVariantList{ComoVariante(p)...});
    }

    int NumeroIdiomas() const { return int(textos_.size()); }
    bool Existe(int numero, int idioma) const;

private:
    template <typename T>
    static QVariant ComoVariante(const T &v) {
        if constexpr (std::is_convertible_v<T, QString>)
            return QVariant(QString(v));
        else
            return QVariant::fromValue(v);
    }
    struct Entrada {
        int numero;
        QString texto;
    };
    Interaccion *ui_;
    mutable bool informando_ = false;   // a missing text is being reported
    quint8 idioma_ = 0;
    QList<QList<Entrada>> textos_;          // [language][record position]
    QList<QHash<int, int>> primeraPosicion_;  // first position of each number, per language
};

// "#1", "#2" ... replaced in order; what a parameter inserts is never scanned again.
QString SustituyeParametros(const QString &plantilla, const QVariantList &parametros);

}  // namespace tarvo
