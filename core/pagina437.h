// The relay's character set (code page 437). Windows show and accept letters;
// files' Codificacion and the frames carry these bytes. Every conversion
// between the two goes through here, so an "ñ" typed in an editor is the
// byte the display shows as "ñ".
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tarvo {

// The letter of a relay byte (0 is the end of a text and has no letter).
QChar LetraRele(quint8 codigo);
// The relay byte of a letter; nullopt when the relay has no such character.
std::optional<quint8> CodigoRele(QChar letra);
// Whether the relay's display shows this relay byte: printable ASCII and the
// Spanish letters and signs.
bool CaracterDeDisplay(quint8 codigo);
// Whether every letter of `texto` is a character of the display.
bool TextoDeDisplay(const QString &texto);

}  // namespace tarvo
