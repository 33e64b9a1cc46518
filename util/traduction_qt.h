#ifndef TRADUCTION_QT_H
#define TRADUCTION_QT_H

#include <QTranslator>

class QCoreApplication;

// Qt's own texts in French, from Qt's French translations (qtbase_fr): the
// standard dialogs' buttons, titles and labels. The file errors Qt words in
// the context QIODevice stay as Qt writes them, in English, as the viewer's
// "Error: Cannot read file" lines give them.
class traduction_qt : public QTranslator
{
public:
    using QTranslator::QTranslator;

    // Installs one on the application, which owns it; false when Qt's French
    // translations are not installed.
    static bool installer(QCoreApplication &application);

    QString translate(const char *contexte, const char *source, const char *precision = nullptr,
                      int n = -1) const override;
};

#endif
