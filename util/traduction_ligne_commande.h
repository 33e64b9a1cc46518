#ifndef TRADUCTION_LIGNE_COMMANDE_H
#define TRADUCTION_LIGNE_COMMANDE_H

#include <QTranslator>

// The French of QCommandLineParser's own texts (help headings, the help
// and version options, parse errors), so that the whole command speaks
// French like the viewer without shipping a translation file. Both
// programs use it.
class traduction_ligne_commande : public QTranslator
{
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }
    QString translate(const char *contexte, const char *source, const char *precision = nullptr,
                      int n = -1) const override;
};

#endif
