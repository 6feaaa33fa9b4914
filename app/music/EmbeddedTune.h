#pragma once

#include <QByteArray>

namespace channel {

// The background tune compiled into the program (resource ":/tune/background.mid").
QByteArray EmbeddedTune();

}  // namespace channel
