#pragma once

#include "PlotScene.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QString>

// The graph as it looks, legend included, in the scene's pixel size.
namespace PlotExport {

QImage image(const PlotScene& scene, const QPalette& palette, const QFont& font = QFont());
QByteArray svg(const PlotScene& scene, const QPalette& palette, const QFont& font = QFont());

// The format follows the file name's suffix: ".svg" (any case) is SVG, anything else PNG.
// Returns false with a message in *error when the file cannot be written.
bool save(const QString& path, const PlotScene& scene, const QPalette& palette, QString* error,
          const QFont& font = QFont());

// Puts the image on the system clipboard (needs a QGuiApplication).
void copyToClipboard(const PlotScene& scene, const QPalette& palette, const QFont& font = QFont());

} // namespace PlotExport
