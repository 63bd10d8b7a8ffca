#include "app/settings.h"

#include <QSettings>
#include <QWidget>

namespace vellamo::app {

namespace {

QSettings store() { return QSettings(QStringLiteral("Korvend"), QStringLiteral("Vellamo 3.5")); }

}  // namespace

std::optional<QByteArray> savedWindowGeometry()
{
    const QVariant value = store().value(QStringLiteral("MainWindow/geometry"));
    if (!value.isValid())
        return std::nullopt;
    return value.toByteArray();
}

void saveWindowGeometry(const QWidget& window)
{
    store().setValue(QStringLiteral("MainWindow/geometry"), window.saveGeometry());
}

bool savedCutLines() { return store().value(QStringLiteral("Print/CutLines"), false).toBool(); }

void saveCutLines(bool on) { store().setValue(QStringLiteral("Print/CutLines"), on); }

JpegQualitySetting savedJpegQuality()
{
    QSettings settings = store();
    JpegQualitySetting values;
    values.slider = settings.value(QStringLiteral("JPEGQuality/Slider"), values.slider).toInt();
    values.number = settings.value(QStringLiteral("JPEGQuality/Number"), values.number).toInt();
    return values;
}

void saveJpegQuality(const JpegQualitySetting& values)
{
    QSettings settings = store();
    settings.setValue(QStringLiteral("JPEGQuality/Slider"), values.slider);
    settings.setValue(QStringLiteral("JPEGQuality/Number"), values.number);
}

}  // namespace vellamo::app
