#include "PlotExport.h"

#include "PlotColors.h"
#include "PlotPainter.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace PlotExport {

QImage image(const PlotScene& scene, const QPalette& palette, const QFont& font) {
    QImage picture(scene.view.pixelSize(), QImage::Format_ARGB32_Premultiplied);
    picture.fill(PlotColors::fromPalette(palette).background);
    QPainter painter(&picture);
    PlotPainter(palette, font).paint(&painter, scene);
    painter.end();
    return picture;
}

QByteArray svg(const PlotScene& scene, const QPalette& palette, const QFont& font) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(scene.view.pixelSize());
    generator.setViewBox(QRect(QPoint(0, 0), scene.view.pixelSize()));
    generator.setTitle(QStringLiteral("ScriptCalc graph"));
    QPainter painter(&generator);
    PlotPainter(palette, font).paint(&painter, scene);
    painter.end();
    return buffer.data();
}

bool save(const QString& path, const PlotScene& scene, const QPalette& palette, QString* error,
          const QFont& font) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        const QByteArray bytes = svg(scene, palette, font);
        file.write(bytes);
    } else if (!image(scene, palette, font).save(&file, "PNG")) {
        file.cancelWriting();
        *error = QStringLiteral("cannot encode the image");
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

void copyToClipboard(const PlotScene& scene, const QPalette& palette, const QFont& font) {
    QGuiApplication::clipboard()->setImage(image(scene, palette, font));
}

} // namespace PlotExport
