// Texts for the translation check's own test: a numbered argument, a printf format, a plain text.
#include <QCoreApplication>

QString seasonal() {
    return QCoreApplication::translate("Fixture", "%1：%2");
}
QString season() {
    return QCoreApplication::translate("Fixture", "冷房時");
}
const char* volume = HUMIDRAW_TEXT_NOOP("Fixture", "給気風量 %5.1f");
