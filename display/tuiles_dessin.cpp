#include "tuiles_dessin.h"

#include "liste_dessin.h"
#include "rendu_tuile.h"

#include <QCoreApplication>
#include <QSemaphore>

#include <atomic>

namespace {

// Tiles a paint waits for go before those rendered ahead.
constexpr int priorite_attendue = 1;
constexpr int priorite_avance = 0;

qsizetype octets(const QImage &image)
{
    return image.sizeInBytes();
}

// Tiles shared among the threads that render them, each taking the next
// one until none is left; the asking thread counts them as they are done.
struct travail_partage
{
    std::shared_ptr<const liste_dessin> liste;
    std::vector<QPoint> tuiles;
    std::vector<QImage> images;
    std::atomic<std::size_t> suivante{0};
    QSemaphore faites;

    void prendre()
    {
        for (std::size_t i = suivante++; i < tuiles.size(); i = suivante++) {
            images[i] = rendre_tuile(*liste, tuiles[i]);
            faites.release();
        }
    }
};

} // namespace

tuiles_dessin::tuiles_dessin(QObject *parent)
    : QObject(parent)
{
    _fils.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

tuiles_dessin::~tuiles_dessin()
{
    _fils.clear();
    _fils.waitForDone();
}

void tuiles_dessin::installer(std::shared_ptr<const liste_dessin> liste)
{
    _liste = std::move(liste);
    ++_generation;
    _versions.clear();
    _gardees.clear();
    _recentes.clear();
    _en_cours.clear();
    _bilan.octets = 0;
    _bilan.gardees = 0;
    // What was waiting to be rendered ahead is of the old drawing.
    _fils.clear();
}

void tuiles_dessin::remplacer(std::shared_ptr<const liste_dessin> liste, const std::vector<QPoint> &touchees)
{
    _liste = std::move(liste);
    for (const QPoint &t : touchees) {
        ++_versions[t];
        const auto trouvee = _gardees.find(t);
        if (trouvee == _gardees.end())
            continue;
        _bilan.octets -= octets(trouvee->image);
        _recentes.erase(trouvee->rang);
        _gardees.erase(trouvee);
    }
    _bilan.gardees = int(_gardees.size());
}

std::uint64_t tuiles_dessin::version(const QPoint &tuile) const
{
    return _versions.value(tuile, 0);
}

void tuiles_dessin::toucher(gardee &g)
{
    _recentes.splice(_recentes.begin(), _recentes, g.rang);
}

void tuiles_dessin::garder(const QPoint &tuile, QImage image)
{
    _recentes.push_front(tuile);
    _bilan.octets += octets(image);
    _gardees.insert(tuile, {std::move(image), _recentes.begin()});
    _bilan.gardees = int(_gardees.size());
}

void tuiles_dessin::tenir_le_budget(std::size_t a_garder)
{
    while (_bilan.octets > _budget && _recentes.size() > a_garder) {
        const QPoint vieille = _recentes.back();
        _recentes.pop_back();
        _bilan.octets -= octets(_gardees.value(vieille).image);
        _gardees.remove(vieille);
    }
    _bilan.gardees = int(_gardees.size());
}

void tuiles_dessin::preparer(const std::vector<QPoint> &tuiles)
{
    auto travail = std::make_shared<travail_partage>();
    travail->liste = _liste;
    for (const QPoint &t : tuiles) {
        const auto trouvee = _gardees.find(t);
        if (trouvee != _gardees.end()) {
            ++_bilan.trouvees;
            toucher(*trouvee);
        } else {
            ++_bilan.manquantes;
            travail->tuiles.push_back(t);
        }
    }
    const std::size_t n = travail->tuiles.size();
    if (n == 0 || !_liste)
        return;
    travail->images.resize(n);
    const int aides = std::min(int(n) - 1, _fils.maxThreadCount());
    for (int k = 0; k < aides; ++k)
        _fils.start([travail] { travail->prendre(); }, priorite_attendue);
    travail->prendre();
    travail->faites.acquire(int(n));
    for (std::size_t i = 0; i < n; ++i) {
        garder(travail->tuiles[i], std::move(travail->images[i]));
        ++_bilan.rendues;
    }
    tenir_le_budget(tuiles.size());
}

const QImage &tuiles_dessin::image(const QPoint &tuile)
{
    return _gardees.find(tuile)->image;
}

void tuiles_dessin::anticiper(const std::vector<QPoint> &tuiles)
{
    constexpr qsizetype octets_tuile = qsizetype(liste_dessin::taille_tuile) * liste_dessin::taille_tuile * 4;
    for (const QPoint &t : tuiles) {
        const qsizetype prevus = (qsizetype(_gardees.size()) + _en_cours.size() + 1) * octets_tuile;
        if (!_liste || prevus > _budget)
            return;
        if (_gardees.contains(t) || _en_cours.contains(t))
            continue;
        const std::uint64_t generation = _generation;
        const std::uint64_t v = version(t);
        _en_cours.insert(t, v);
        std::shared_ptr<const liste_dessin> liste = _liste;
        _fils.start(
            [this, liste, t, generation, v] {
                QImage image = rendre_tuile(*liste, t);
                QMetaObject::invokeMethod(
                    this, [this, generation, v, t, image] { recevoir(generation, v, t, image); },
                    Qt::QueuedConnection);
            },
            priorite_avance);
    }
}

void tuiles_dessin::recevoir(std::uint64_t generation, std::uint64_t v, QPoint tuile, QImage image)
{
    if (generation != _generation)
        return;
    if (_en_cours.value(tuile, v + 1) == v)
        _en_cours.remove(tuile);
    if (version(tuile) != v || _gardees.contains(tuile))
        return;
    garder(tuile, std::move(image));
    ++_bilan.rendues;
    // Rendered ahead, it goes before what is on screen.
    _recentes.splice(_recentes.end(), _recentes, _gardees.find(tuile)->rang);
    tenir_le_budget(0);
}

void tuiles_dessin::regler_budget(qsizetype octets)
{
    _budget = octets;
    tenir_le_budget(0);
}

void tuiles_dessin::regler_fils(int nombre)
{
    _fils.setMaxThreadCount(std::max(1, nombre));
}

void tuiles_dessin::attendre()
{
    _fils.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}
