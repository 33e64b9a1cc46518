#include "texte_faits.h"

#include "comparaison_solutions.h"
#include "historique_solutions.h"
#include "couleurs_dessin.h"
#include "faits_instance.h"
#include "faits_solution.h"

#include <QColor>
#include <QLocale>
#include <QStringList>

namespace {

// The box is narrow: long lists stop here.
constexpr std::size_t numeros_montres = 20;
constexpr int pale_sur_blanc = 230;

QString nombre(qint64 n)
{
    return QString::number(n);
}

QString oui_non(bool vrai)
{
    return vrai ? QStringLiteral("oui") : QStringLiteral("non");
}

QString titre(const QString &texte, const QString &fichier)
{
    return QStringLiteral("<b>%1</b> %2<br>").arg(texte, fichier.toHtmlEscaped());
}

QString puits(const faits_instance &f)
{
    if (!f.puits_valide)
        return QStringLiteral("%1 (hors limites)").arg(f.puits);
    return QStringLiteral("%1 (composante de %2)").arg(f.puits).arg(f.taille_composante_puits);
}

QString decimal(double x)
{
    return QLocale(QLocale::French).toString(x, 'f', 2);
}

QString degres(const faits_instance &f)
{
    return QStringLiteral("%1 / %2 / %3").arg(f.degre_min).arg(decimal(f.degre_moyen)).arg(f.degre_max);
}

// "MA 0, SL 2 (5, 9), BR 0" for facts given per list or per pair of lists.
QString par_liste(const std::array<numeros_capteurs, 3> &listes, const char *const noms[3])
{
    QStringList parties;
    for (int k = 0; k < 3; ++k)
        parties << QLatin1String(noms[k]) + QLatin1Char(' ') + texte_faits::compte_et_numeros(listes[k]);
    return parties.join(QStringLiteral(", "));
}

} // namespace

namespace texte_faits
{

QString compte_et_numeros(const std::vector<std::uint16_t> &numeros, bool liens)
{
    if (numeros.empty())
        return QStringLiteral("0");
    QStringList premiers;
    for (std::size_t i = 0; i < numeros.size() && i < numeros_montres; ++i) {
        const QString n = QString::number(numeros[i]);
        premiers << (liens ? QStringLiteral("<a href=\"%1:%2\">%2</a>").arg(schema_capteur, n) : n);
    }
    if (numeros.size() > numeros_montres)
        premiers << QStringLiteral("…");
    return QStringLiteral("%1 (%2)").arg(numeros.size()).arg(premiers.join(QStringLiteral(", ")));
}

QString ligne(const QString &libelle, const QString &valeur)
{
    return libelle + QStringLiteral(" : ") + valeur + QStringLiteral("<br>");
}

QString pastille(const QColor &couleur, const QString &texte)
{
    // A fill as light as the page shows as an outlined square, like the
    // vertices' own outline.
    const bool pale = couleur.lightness() > pale_sur_blanc;
    return QStringLiteral("<span style=\"color:%1\">%2</span>&nbsp;%3")
        .arg(pale ? couleurs_dessin::bleu_nuit.name() : couleur.name(),
             pale ? QStringLiteral("&#9633;") : QStringLiteral("&#9632;"), texte);
}

QString instance(const faits_instance &f)
{
    QString t = titre(QStringLiteral("Instance"), f.fichier);
    t += ligne(QStringLiteral("Capteurs"), nombre(f.capteurs));
    t += ligne(QStringLiteral("Entrées de voisinage"), nombre(f.entrees));
    t += ligne(QStringLiteral("Liens"), nombre(f.liens));
    t += ligne(QStringLiteral("Entrées à sens unique"), nombre(f.entrees_sens_unique));
    t += ligne(QStringLiteral("Entrées hors limites"), nombre(f.entrees_hors_limites));
    t += ligne(QStringLiteral("Entrées vers soi-même"), nombre(f.entrees_soi_meme));
    t += ligne(QStringLiteral("Entrées répétées"), nombre(f.entrees_repetees));
    t += ligne(QStringLiteral("Isolés"), compte_et_numeros(f.isoles));
    t += ligne(QStringLiteral("Composantes"), nombre(f.composantes));
    t += ligne(QStringLiteral("Puits"), puits(f));
    t += ligne(QStringLiteral("Degré min / moyen / max"), degres(f));
    if (f.bornes_valides) {
        t += ligne(QStringLiteral("X"), QStringLiteral("%1 à %2").arg(f.min_x).arg(f.max_x));
        t += ligne(QStringLiteral("Y"), QStringLiteral("%1 à %2").arg(f.min_y).arg(f.max_y));
    }
    return t;
}

QString legende_solution()
{
    using namespace couleurs_dessin;
    return pastille(vert_puits, QStringLiteral("puits")) + QStringLiteral(" ")
           + pastille(vert_ma, QStringLiteral("MA")) + QStringLiteral(" ")
           + pastille(saumon_br, QStringLiteral("BR")) + QStringLiteral(" ")
           + pastille(blanc_casse, QStringLiteral("autres")) + QStringLiteral("<br>");
}

QString solution(const faits_solution &f)
{
    static const char *const listes[3] = {"MA", "SL", "BR"};
    static const char *const paires[3] = {"MA-SL", "MA-BR", "SL-BR"};
    QString t = titre(QStringLiteral("Solution"), f.fichier);
    const QString conforme = f.nom_instance_conforme ? QStringLiteral("conforme") : QStringLiteral("différent");
    t += ligne(QStringLiteral("Instance nommée"), f.nom_instance.toHtmlEscaped() + QStringLiteral(" (") + conforme + ')');
    for (int k = 0; k < 3; ++k)
        t += ligne(QLatin1String(listes[k]), nombre(f.longueurs[k]));
    t += ligne(QStringLiteral("Puits dans MA"), oui_non(f.puits_dans_ma));
    t += ligne(QStringLiteral("Composantes MA"), nombre(f.composantes_ma));
    t += ligne(QStringLiteral("Non couverts"), compte_et_numeros(f.non_couverts));
    t += ligne(QStringLiteral("Dans aucune liste"), compte_et_numeros(f.sans_liste));
    t += ligne(QStringLiteral("Hors limites"), par_liste(f.hors_limites, listes));
    t += ligne(QStringLiteral("Répétés"), par_liste(f.repetes, listes));
    t += ligne(QStringLiteral("Dans deux listes"), par_liste(f.dans_deux_listes, paires));
    return t;
}

QString comparaison(const comparaison_solutions &c)
{
    using namespace couleurs_dessin;
    const auto seul = [](const numeros_capteurs &n) { return compte_et_numeros(n, true); };
    QString t = pastille(vert_puits, QStringLiteral("puits")) + QStringLiteral(" ")
                + pastille(vert_ma, QStringLiteral("MA des deux")) + QStringLiteral("<br>")
                + pastille(bleu_seulement_a, QStringLiteral("MA de A seul")) + QStringLiteral(" ")
                + pastille(vermillon_seulement_b, QStringLiteral("MA de B seul")) + QStringLiteral(" ")
                + pastille(blanc_casse, QStringLiteral("autres")) + QStringLiteral("<br>");
    t += titre(QStringLiteral("A"), c.a.fichier) + titre(QStringLiteral("B"), c.b.fichier);
    t += ligne(QStringLiteral("MA de A"), nombre(c.ma_a));
    t += ligne(QStringLiteral("MA de B"), nombre(c.ma_b));
    t += ligne(QStringLiteral("MA des deux"), nombre(qint64(c.ma_deux.size())));
    t += ligne(QStringLiteral("MA de A seul"), seul(c.ma_seulement_a));
    t += ligne(QStringLiteral("MA de B seul"), seul(c.ma_seulement_b));
    t += ligne(QStringLiteral("Indice de Jaccard"), decimal(c.jaccard));
    t += ligne(QStringLiteral("Composantes MA de A / de B"),
               QStringLiteral("%1 / %2").arg(c.a.composantes_ma).arg(c.b.composantes_ma));
    t += ligne(QStringLiteral("Non couverts par A"), seul(c.a.non_couverts));
    t += ligne(QStringLiteral("Non couverts par B"), seul(c.b.non_couverts));
    t += ligne(QStringLiteral("BR de A seul"), seul(c.br_seulement_a));
    t += ligne(QStringLiteral("BR de B seul"), seul(c.br_seulement_b));
    t += ligne(QStringLiteral("SL de A seul"), seul(c.sl_seulement_a));
    t += ligne(QStringLiteral("SL de B seul"), seul(c.sl_seulement_b));
    return t;
}

QString difference(const difference_etapes &d)
{
    using namespace couleurs_dessin;
    static const char *const listes[3] = {"MA", "SL", "BR"};
    QString t = QStringLiteral("<br>") + pastille(vermillon_seulement_b, QStringLiteral("entrés dans MA"))
                + QStringLiteral(" ") + pastille(bleu_seulement_a, QStringLiteral("sortis de MA"))
                + QStringLiteral("<br><b>Depuis l'étape précédente</b><br>");
    for (int k = 0; k < 3; ++k)
        t += ligne(QLatin1String(listes[k]),
                   QStringLiteral("+%1, −%2").arg(d.entres[std::size_t(k)]).arg(d.sortis[std::size_t(k)]));
    t += ligne(QStringLiteral("Indice de Jaccard MA"), decimal(d.jaccard));
    return t;
}

QString capteur_choisi(int capteur, int x, int y, const QString &roles, const std::vector<std::uint16_t> &lies)
{
    QString t = titre(QStringLiteral("Capteur choisi"), QString::number(capteur));
    t += ligne(QStringLiteral("Coordonnées"), QStringLiteral("x = %1, y = %2").arg(x).arg(y));
    t += ligne(QStringLiteral("Rôles"), roles);
    t += ligne(QStringLiteral("Degré"), nombre(qint64(lies.size())));
    t += ligne(QStringLiteral("Liés"), compte_et_numeros(lies, true));
    return t + QStringLiteral("<br>");
}

} // namespace texte_faits
