#pragma once

#include <QByteArray>

// The background tune compiled into the program (resource ":/tune/background.mid").
QByteArray EmbeddedTune();
