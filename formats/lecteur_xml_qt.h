#ifndef LECTEUR_XML_QT_H
#define LECTEUR_XML_QT_H

#include <QIODevice>
#include <QXmlStreamAttributes>
#include <QXmlStreamReader>

// The GraphML reader's way through a document, on QXmlStreamReader: it takes
// any XML and says where and why one is not. What it gives stays valid until
// the next call.
class lecteur_xml_qt
{
public:
    explicit lecteur_xml_qt(QIODevice &source) : _xml(&source) {}

    // The next child element of the current one; false at its end.
    bool suivant()
    {
        const bool element = _xml.readNextStartElement();
        _attributs = element ? _xml.attributes() : QXmlStreamAttributes();
        return element;
    }
    QStringView nom() const { return _xml.name(); }
    bool nom_est(const char *nom) const { return _xml.name() == QLatin1String(nom); }
    QStringView attribut(const char *nom) const { return _attributs.value(QLatin1String(nom)); }
    // The element's own text, its children's left out; ends the element.
    QStringView texte()
    {
        _texte = _xml.readElementText(QXmlStreamReader::SkipChildElements);
        return _texte;
    }
    void sauter() { _xml.skipCurrentElement(); }
    // Reads what follows the root element.
    void finir()
    {
        while (!_xml.atEnd())
            _xml.readNext();
    }
    qint64 ligne() const { return _xml.lineNumber(); }
    bool en_erreur() const { return _xml.hasError(); }
    QString erreur() const { return _xml.errorString(); }

private:
    QXmlStreamReader _xml;
    QXmlStreamAttributes _attributs;
    QString _texte;
};

#endif
