// The learner's options in a settings file.

#include "app/window_options.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

namespace lumaro {

namespace {

const char* const kShowWhy = "Warum anzeigen";
const char* const kSteadyLamps = "Blinken anhalten";
const char* const kColorLetters = "Lampenfarben beschriften";
const char* const kSignalNames = "Signalnamen anzeigen";
const char* const kViewPercent = "Ansicht/Prozent";

bool ReadBool(const QSettings& settings, const char* key, bool fallback)
{
    const QString text = settings.value(QString::fromUtf8(key)).toString();
    if (text == QLatin1String("true"))
        return true;
    if (text == QLatin1String("false"))
        return false;
    return fallback;
}

} // namespace

QString OptionsFilePath()
{
    // The folder of the program's name, also before QApplication knows it from the command line.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/.config");
    return folder + QStringLiteral("/lumaro/lumaro.conf");
}

WindowOptions LoadOptions(const QString& path)
{
    WindowOptions options;
    const QSettings settings(path, QSettings::IniFormat);
    options.showWhy = ReadBool(settings, kShowWhy, options.showWhy);
    options.steadyLamps = ReadBool(settings, kSteadyLamps, options.steadyLamps);
    options.colorLetters = ReadBool(settings, kColorLetters, options.colorLetters);
    options.signalNames = ReadBool(settings, kSignalNames, options.signalNames);
    bool number = false;
    const int percent = settings.value(QString::fromUtf8(kViewPercent)).toString().toInt(&number);
    if (number && std::find(kViewPercents.begin(), kViewPercents.end(), percent) != kViewPercents.end())
        options.viewPercent = percent;
    return options;
}

bool SaveOptions(const WindowOptions& options, const QString& path)
{
    QSettings settings(path, QSettings::IniFormat);
    settings.setValue(QString::fromUtf8(kShowWhy), options.showWhy);
    settings.setValue(QString::fromUtf8(kSteadyLamps), options.steadyLamps);
    settings.setValue(QString::fromUtf8(kColorLetters), options.colorLetters);
    settings.setValue(QString::fromUtf8(kSignalNames), options.signalNames);
    settings.setValue(QString::fromUtf8(kViewPercent), options.viewPercent);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

double ApplyViewSize(const QString& path)
{
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        return 1.0;
    const int percent = LoadOptions(path).viewPercent;
    if (percent == 100)
        return 1.0;
    const double factor = percent / 100.0;
    qputenv("QT_SCALE_FACTOR", QByteArray::number(factor));
    return factor;
}

} // namespace lumaro
