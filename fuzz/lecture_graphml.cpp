// The GraphML reader on any bytes, as reseau_relu.h checks it. Its two ways
// through XML agree: what the quick one takes, QXmlStreamReader takes alike.
#include "reseau_relu.h"

#include "lecteur_xml_qt.h"
#include "lecteur_xml_rapide.h"

#include <QBuffer>


namespace
{

// What a reader gives of an element and its children, as the GraphML
// reader asks for it.
template <typename Source>
void element(Source &source, std::ostringstream &d, int profondeur)
{
    d << '<' << source.nom().toString().toStdString();
    for (const char *a :
         {"id", "key", "source", "target", "for", "attr.name", "directed", "edgedefault", "x", "y", "value", "type"})
        d << ' ' << a << '=' << source.attribut(a).toString().toStdString();
    if (source.nom_est("data") || source.nom_est("default")) {
        d << " texte=" << source.texte().toString().toStdString() << '\n';
        return;
    }
    if (profondeur > 64) {
        source.sauter();
        d << " saute\n";
        return;
    }
    while (source.suivant())
        element(source, d, profondeur + 1);
    d << ">\n";
}

template <typename Source>
std::string parcourir(Source &source)
{
    std::ostringstream d;
    if (source.suivant())
        element(source, d, 0);
    source.finir();
    return d.str();
}

void comparer_lecteurs(const QByteArray &contenu)
{
    lecteur_xml_rapide rapide(contenu);
    const std::string vite = parcourir(rapide);
    if (rapide.en_erreur())
        return;
    QByteArray copie = contenu;
    QBuffer tampon(&copie);
    tampon.open(QIODevice::ReadOnly);
    lecteur_xml_qt qt(tampon);
    const std::string lent = parcourir(qt);
    fuzz::exiger(!qt.en_erreur(), "the quick reader took a document QXmlStreamReader refuses", vite,
                 qt.erreur().toStdString());
    fuzz::exiger(vite == lent, "the two XML readers read otherwise", vite, lent);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray contenu(reinterpret_cast<const char *>(data), qsizetype(size));
    comparer_lecteurs(contenu);
    fuzz::relire("reseau.graphml", contenu);
    return 0;
}
