// The relay's configuration memory: blocks by CPU, area, sub-group, group and
// block number. Writes wait as pending blocks until their group is confirmed
// (then they replace what was committed) or cancelled (then they are lost).
#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <tuple>

namespace relaysim {

struct ClaveBloque {
    quint8 cpu = 0, area = 0, subgrupo = 0, grupo = 0;
    quint16 bloque = 0;
    auto operator<=>(const ClaveBloque &) const = default;
    bool MismoGrupo(const ClaveBloque &o) const {
        return std::tie(cpu, area, subgrupo, grupo) == std::tie(o.cpu, o.area, o.subgrupo, o.grupo);
    }
};

class MemoriaRele {
public:
    using Bloques = std::map<ClaveBloque, QByteArray>;

    // The committed bytes of a block; false when the relay holds none.
    bool Lee(const ClaveBloque &c, QByteArray &datos) const;
    void Escribe(const ClaveBloque &c, const QByteArray &datos) { pendientes_[c] = datos; }
    // Commits (or drops) the pending blocks of c's group; how many there were.
    int Confirma(const ClaveBloque &c);
    int Cancela(const ClaveBloque &c);
    // Committed directly, as a preloaded relay has it.
    void Pon(const ClaveBloque &c, const QByteArray &datos) { confirmados_[c] = datos; }

    const Bloques &Confirmados() const { return confirmados_; }
    const Bloques &Pendientes() const { return pendientes_; }

    // The state file: one line per block,
    //   C|P <cpu> <area> <sub-group> <group> <block> <hex bytes or ->
    // C committed, P pending; "#" starts a comment line.
    bool Guarda(const QString &ruta) const;
    bool Carga(const QString &ruta, QString &error);

private:
    Bloques confirmados_, pendientes_;
};

}  // namespace relaysim
