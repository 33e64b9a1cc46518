#ifndef TUILES_DESSIN_H
#define TUILES_DESSIN_H

#include <QHash>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QThreadPool>
#include <QTransform>

#include <cstdint>
#include <deque>
#include <list>
#include <mutex>
#include <memory>
#include <vector>

class QPainter;
class QRegion;
class liste_dessin;

// The tiles a view paints its drawing from: each rendered once from the
// drawing's list, on a pool of worker threads of its own, and kept while
// they fit in a memory budget, the least recently shown going first. A
// tile the view needs now is rendered before it is asked for again, with
// the others it lacks, in parallel; the ones around it are rendered ahead
// while nothing else is asked.
class tuiles_dessin : public QObject
{
    Q_OBJECT

public:
    // 64 MB: 256 tiles, a window of 1200 x 900 about eight times over.
    static constexpr qsizetype budget = 64 * 1024 * 1024;

    explicit tuiles_dessin(QObject *parent = nullptr);
    ~tuiles_dessin() override;

    // A new drawing: every tile goes.
    void installer(std::shared_ptr<const liste_dessin> liste);
    // The same drawing changed in the given tiles only (a drag); the others
    // stay as they are.
    void remplacer(std::shared_ptr<const liste_dessin> liste, const std::vector<QPoint> &touchees);
    const std::shared_ptr<const liste_dessin> &liste() const { return _liste; }

    // Paints what a view shows of the drawing: vers_vue maps scene units to
    // the painter's device, montree is what the device shows and exposee
    // what is painted now. Beyond the drawing area the device keeps its own
    // background; the tiles around what is shown are rendered ahead.
    void peindre(QPainter &peintre, const QTransform &vers_vue, const QRect &montree, const QRegion &exposee);

    // Renders those of the tiles that are not kept, all at once, and keeps
    // them; the images they give stay valid until the next call.
    void preparer(const std::vector<QPoint> &tuiles);
    const QImage &image(const QPoint &tuile);
    // Renders these in the background, when the budget has room for them.
    void anticiper(const std::vector<QPoint> &tuiles);

    // Worker threads (a core less than the machine's by default); the
    // thread asking for tiles works too. With none, it renders alone what
    // it asks for, and one worker still renders ahead.
    void regler_fils(int nombre);
    // Waits until nothing is being rendered in the background.
    void attendre();

    struct bilan
    {
        std::int64_t rendues = 0;
        std::int64_t trouvees = 0;
        std::int64_t manquantes = 0;
        qsizetype octets = 0;
        int gardees = 0;
    };
    const bilan &chiffres() const { return _bilan; }

private slots:
    // Takes the tiles rendered ahead.
    void recevoir();

private:
    struct gardee
    {
        QImage image;
        std::list<QPoint>::iterator rang;
    };

    void garder(const QPoint &tuile, QImage image);
    void toucher(gardee &g);
    // Drops the least recently shown tiles past the budget, never the
    // a_garder most recent.
    void tenir_le_budget(std::size_t a_garder);

    std::uint64_t version(const QPoint &tuile) const;

    std::shared_ptr<const liste_dessin> _liste;
    // A new drawing, or a tile changed since a render began: its result is
    // dropped.
    std::uint64_t _generation = 0;
    QHash<QPoint, std::uint64_t> _versions;
    QHash<QPoint, gardee> _gardees;
    // Most recently shown first.
    std::list<QPoint> _recentes;
    QHash<QPoint, std::uint64_t> _en_cours;
    // Workers that help render what a paint waits for.
    int _aides = 1;
    bilan _bilan;
    // A tile asked for ahead, and what it was asked of.
    struct en_avance
    {
        std::shared_ptr<const liste_dessin> liste;
        QPoint tuile;
        std::uint64_t generation = 0;
        std::uint64_t version = 0;
    };
    // Between the asking thread and the workers: the tiles to render ahead,
    // oldest first, and those rendered; only under its mutex.
    struct boite_avance
    {
        std::mutex verrou;
        std::deque<std::shared_ptr<const en_avance>> demandes;
        std::vector<std::pair<std::shared_ptr<const en_avance>, QImage>> rendues;
    };
    std::shared_ptr<boite_avance> _boite;
    QThreadPool _fils;
};

#endif
