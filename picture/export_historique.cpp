#include "export_historique.h"

#include "aire_dessin.h"
#include "constructeur_dessin.h"
#include "couleurs_dessin.h"
#include "ecriture_animation.h"
#include "ecriture_entiere.h"
#include "ecriture_historique.h"
#include "ecriture_image.h"
#include "historique_solutions.h"
#include "liste_dessin.h"
#include "rapport_json.h"
#include "rendu_dessin.h"

#include <QFileInfo>
#include <QFontMetricsF>

#include <cmath>

namespace {

// Clear of the information text at the top left.
constexpr int retrait_etiquette = 10;

// Step `etape` drawn as a history page draws it, its label at the top right.
std::shared_ptr<liste_dessin> dessiner_etape(const graphe_instance &instance, const historique_solutions &h,
                                             int etape, const options_historique &o, const QString &etiquette)
{
    sujet_dessin sujet;
    sujet.instance = &instance;
    sujet.solution = h.etape(etape).solution.get();
    sujet.precedente = h.precedente(etape);
    sujet.type_graphe = 2;
    const QSize aire = aire_dessin::taille(o.zoom);
    std::shared_ptr<liste_dessin> liste = construire_dessin(sujet, aire, o.police, o.ppp).liste;
    const double largeur = QFontMetricsF(o.police).horizontalAdvance(etiquette);
    liste->ajouter_texte(etiquette, QPointF(aire.width() - largeur - retrait_etiquette, 0), &couleurs_dessin::bleu_nuit);
    return liste;
}

animation animation_de(const graphe_instance &instance, const historique_solutions &h, const options_historique &o)
{
    animation a;
    a.nb_images = h.taille();
    a.images_par_seconde = o.images_par_seconde;
    a.image = [&instance, &h, &o](int k) {
        const QString etiquette = QStringLiteral("Étape %1 / %2").arg(k + 1).arg(h.taille());
        return rendu_dessin::image(*dessiner_etape(instance, h, k, o, etiquette), 1);
    };
    return a;
}

// The strip's cells row by row, on one page of as many columns as rows or
// one more.
bool ecrire_bande(const graphe_instance &instance, const historique_solutions &h, const QString &sortie,
                  const options_historique &o, QString *raison)
{
    const std::vector<int> etapes = etapes_de_la_bande(h.taille(), o.bande);
    const int colonnes = int(std::ceil(std::sqrt(double(etapes.size()))));
    const int rangees = (int(etapes.size()) + colonnes - 1) / colonnes;
    const QSize cellule = aire_dessin::taille(o.zoom);
    liste_dessin page(QSize(cellule.width() * colonnes, cellule.height() * rangees), o.police, o.ppp);
    for (std::size_t i = 0; i < etapes.size(); ++i) {
        const QString etiquette = QStringLiteral("Étape %1").arg(etapes[i] + 1);
        const QPoint coin(int(i) % colonnes * cellule.width(), int(i) / colonnes * cellule.height());
        page.ajouter_liste(*dessiner_etape(instance, h, etapes[i], o, etiquette), coin);
    }
    return ecrire_image(page, sortie, 1, raison);
}

} // namespace

genre_historique genre_historique_du_nom(const QString &sortie, int bande)
{
    const QString suffixe = QFileInfo(sortie).suffix().toLower();
    if (bande > 0) {
        // A strip is one drawing of many vertices of the same numbers: DOT
        // would merge them.
        const format_image format = format_du_nom(sortie);
        return format == format_image::inconnu || format == format_image::dot ? genre_historique::inconnu
                                                                                : genre_historique::bande;
    }
    if (suffixe == QLatin1String("gif"))
        return genre_historique::gif;
    if (suffixe == QLatin1String("mp4"))
        return genre_historique::mp4;
    if (sortie_rapport(sortie))
        return genre_historique::json;
    return genre_historique::inconnu;
}

std::vector<int> etapes_de_la_bande(int nombre, int k)
{
    std::vector<int> etapes;
    if (nombre <= 0 || k <= 0)
        return etapes;
    if (k >= nombre) {
        for (int i = 0; i < nombre; ++i)
            etapes.push_back(i);
    } else if (k == 1) {
        // One cell cannot hold both ends: the outcome counts.
        etapes.push_back(nombre - 1);
    } else {
        for (int i = 0; i < k; ++i)
            etapes.push_back(int(std::lround(double(i) * (nombre - 1) / (k - 1))));
    }
    return etapes;
}

bool exporter_historique(const graphe_instance &instance, const historique_solutions &historique,
                         const QString &sortie, const options_historique &options, QString *raison)
{
    const auto refuser = [raison](const QString &pourquoi) {
        if (raison)
            *raison = pourquoi;
        return false;
    };
    if (historique.taille() == 0)
        return refuser(QStringLiteral("l'historique n'a aucune étape"));
    const genre_historique genre = genre_historique_du_nom(sortie, options.bande);
    switch (genre) {
    case genre_historique::gif:
    case genre_historique::mp4: {
        const animation a = animation_de(instance, historique, options);
        const auto ecrire = genre == genre_historique::gif ? ecrire_gif : ecrire_mp4;
        return ecriture_entiere::ecrire(
            {{sortie, [&](QIODevice &s, QString &cause) { return ecrire(s, a, cause); }}}, raison);
    }
    case genre_historique::json:
        return ecrire_rapport(json_historique(historique), sortie)
                   || refuser(QStringLiteral("le fichier n'a pas pu être écrit"));
    case genre_historique::bande:
        return ecrire_bande(instance, historique, sortie, options, raison);
    case genre_historique::inconnu:
        break;
    }
    return refuser(QStringLiteral("un historique s'écrit en .gif, .mp4 ou .json, ou en image avec une bande"));
}
