#include "tuiles_dessin.h"

#include "liste_dessin.h"
#include "rendu_dessin.h"

#include <QCoreApplication>
#include <QPainter>
#include <QRegion>
#include <condition_variable>
#include <functional>
#include <mutex>

// The thread sanitizer sees threads hand work over only through locks it
// knows; Qt's pool hands its tasks over under its own. Each task says so.
#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#define VG_REMIS(objet) __tsan_release(objet)
#define VG_RECU(objet) __tsan_acquire(objet)
#else
#define VG_REMIS(objet) static_cast<void>(objet)
#define VG_RECU(objet) static_cast<void>(objet)
#endif

namespace {

// One piece of work for the pool, handed over with all it was made with.
class tache : public QRunnable
{
public:
    explicit tache(std::function<void()> travail) : _travail(std::move(travail)) { VG_REMIS(this); }
    void run() override
    {
        VG_RECU(this);
        _travail();
    }

private:
    std::function<void()> _travail;
};

// Tiles a paint waits for go before those rendered ahead.
constexpr int priorite_attendue = 1;
constexpr int priorite_avance = 0;

qsizetype octets(const QImage &image)
{
    return image.sizeInBytes();
}

// Tiles shared among the threads that render them, each taking the next
// one until none is left; the asking thread waits until all are done. The
// standard mutex is what orders the threads' writes and reads, for the
// thread sanitizer too, which does not see through Qt's own locks.
struct travail_partage
{
    std::shared_ptr<const liste_dessin> liste;
    std::vector<QPoint> tuiles;
    std::vector<QImage> images;
    std::mutex verrou;
    std::condition_variable signal;
    std::size_t suivante = 0;
    std::size_t faites = 0;

    void prendre()
    {
        std::unique_lock<std::mutex> tenu(verrou);
        while (suivante < tuiles.size()) {
            const std::size_t i = suivante++;
            tenu.unlock();
            QImage image = rendu_dessin::tuile(*liste, tuiles[i]);
            tenu.lock();
            images[i] = std::move(image);
            ++faites;
            signal.notify_all();
        }
    }

    void attendre()
    {
        std::unique_lock<std::mutex> tenu(verrou);
        signal.wait(tenu, [this] { return faites == tuiles.size(); });
    }
};

} // namespace

tuiles_dessin::tuiles_dessin(QObject *parent)
    : QObject(parent), _boite(std::make_shared<boite_avance>())
{
    // The thread that asks for tiles renders its share too: one core each.
    _aides = std::max(1, QThread::idealThreadCount() - 1);
    _fils.setMaxThreadCount(_aides);
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
    const std::lock_guard<std::mutex> tenu(_boite->verrou);
    _boite->demandes.clear();
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
    while (_bilan.octets > budget && _recentes.size() > a_garder) {
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
    {
        // Filled before any other thread may look.
        const std::lock_guard<std::mutex> tenu(travail->verrou);
        travail->images.resize(n);
    }
    const int aides = std::min(int(n) - 1, _aides);
    for (int k = 0; k < aides; ++k)
        _fils.start(new tache([travail] { travail->prendre(); }), priorite_attendue);
    travail->prendre();
    travail->attendre();
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
        if (!_liste || prevus > budget)
            return;
        if (_gardees.contains(t) || _en_cours.contains(t))
            continue;
        _en_cours.insert(t, version(t));
        auto demande = std::make_shared<const en_avance>(en_avance{_liste, t, _generation, version(t)});
        std::shared_ptr<boite_avance> boite = _boite;
        {
            // Passed on to the worker: written before, read after.
            const std::lock_guard<std::mutex> tenu(boite->verrou);
            boite->demandes.push_back(demande);
        }
        _fils.start(new tache(
            [this, boite] {
                std::unique_lock<std::mutex> tenu(boite->verrou);
                if (boite->demandes.empty())
                    return;
                const std::shared_ptr<const en_avance> d = boite->demandes.front();
                boite->demandes.pop_front();
                tenu.unlock();
                QImage image = rendu_dessin::tuile(*d->liste, d->tuile);
                tenu.lock();
                boite->rendues.push_back({d, std::move(image)});
                tenu.unlock();
                // By name: nothing of the worker's own goes with the call.
                QMetaObject::invokeMethod(this, "recevoir", Qt::QueuedConnection);
            }),
            priorite_avance);
    }
}

void tuiles_dessin::recevoir()
{
    std::vector<std::pair<std::shared_ptr<const en_avance>, QImage>> rendues;
    {
        const std::lock_guard<std::mutex> tenu(_boite->verrou);
        rendues.swap(_boite->rendues);
    }
    for (auto &[d, image] : rendues) {
        if (d->generation != _generation)
            continue;
        if (_en_cours.value(d->tuile, d->version + 1) == d->version)
            _en_cours.remove(d->tuile);
        if (version(d->tuile) != d->version || _gardees.contains(d->tuile))
            continue;
        garder(d->tuile, std::move(image));
        ++_bilan.rendues;
        // Rendered ahead, it goes before what is on screen.
        _recentes.splice(_recentes.end(), _recentes, _gardees.find(d->tuile)->rang);
    }
    tenir_le_budget(0);
}

void tuiles_dessin::peindre(QPainter &peintre, const QTransform &vers_vue, const QRect &montree,
                            const QRegion &exposee)
{
    const QTransform vers_scene = vers_vue.inverted();
    const QRect aire(QPoint(0, 0), _liste->aire());
    const std::vector<QPoint> tuiles =
        liste_dessin::tuiles(vers_scene.mapRect(QRectF(exposee.boundingRect())).toAlignedRect(), aire.size());
    if (!tuiles.empty()) {
        preparer(tuiles);
        peintre.save();
        peintre.setClipRect(vers_vue.mapRect(QRectF(aire)).toAlignedRect(), Qt::IntersectClip);
        const QPoint decalage = vers_vue.map(QPoint(0, 0));
        for (const QPoint &t : tuiles)
            peintre.drawImage(decalage + liste_dessin::rectangle_tuile(t).topLeft(), image(t));
        peintre.restore();
    }
    const int t = liste_dessin::taille_tuile;
    const QRect vue = vers_scene.mapRect(QRectF(montree)).toAlignedRect();
    anticiper(liste_dessin::tuiles(vue.adjusted(-t, -t, t, t), aire.size()));
}

void tuiles_dessin::regler_fils(int nombre)
{
    _aides = std::max(0, nombre);
    _fils.setMaxThreadCount(std::max(1, nombre));
}

void tuiles_dessin::attendre()
{
    _fils.waitForDone();
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}
