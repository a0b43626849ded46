#include "PlotExport.h"
#include "PlotTestFunctions.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

PlotScene sceneOf(const QList<std::pair<const char*, bool>>& functions, QSize size) {
    PlotScene scene;
    scene.view = PlotView::defaultView(size);
    int index = 0;
    for (const auto& [text, visible] : functions) {
        scene.series.append(PlotSeries{QString::fromUtf8(text),
                                       PlotSampler::sample(functionOf(text), scene.view), visible,
                                       index++});
    }
    scene.marks = PlotAnalysis::analyse({functionOf(functions.first().first)}, -10.0, 10.0);
    scene.trace = PlotTrace{0, 1.0, std::sin(1.0), QStringLiteral("x = 1")};
    return scene;
}

// The PNG signature, then the IHDR chunk with the width and height (big-endian).
TEST(PlotExportFiles, PngHasTheSignatureAndTheViewSize) {
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("graph.png"));
    QString error;
    ASSERT_TRUE(
        PlotExport::save(path, sceneOf({{"sin(x)", true}}, QSize(321, 123)), QPalette(), &error))
        << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 24);
    EXPECT_EQ(bytes.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(bytes.mid(12, 4), QByteArray("IHDR"));
    EXPECT_EQ(bytes.mid(16, 8), QByteArray("\0\0\x01\x41\0\0\0\x7b", 8));
}

// One path element per shown function (hidden ones none); everything else (grid, axes, marks,
// legend) is drawn with other elements.
TEST(PlotExportFiles, SvgParsesWithOnePathPerShownFunction) {
    const PlotScene scene = sceneOf(
        {{"sin(x)", true}, {"1/x", true}, {"x^2", false}, {"sqrt(x)", true}}, QSize(400, 300));
    const QByteArray svg = PlotExport::svg(scene, QPalette());
    EXPECT_TRUE(QSvgRenderer(svg).isValid());
    QXmlStreamReader reader(svg);
    int paths = 0;
    while (!reader.atEnd())
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == u"path")
            ++paths;
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_EQ(paths, 3) << svg.toStdString();
}

TEST(PlotExportFiles, UnwritablePathFailsWithAMessage) {
    QString error;
    EXPECT_FALSE(PlotExport::save(QStringLiteral("/nonexistent-folder/graph.svg"),
                                  sceneOf({{"x", true}}, QSize(50, 50)), QPalette(), &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
