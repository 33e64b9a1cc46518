#ifndef CADRE_PAGE_H
#define CADRE_PAGE_H

#include <QWidget>

class QLabel;
class QVBoxLayout;

// One side of the graph area: what it shows under a title, framed when its
// page is the one the window's commands act on. Alone it adds nothing, no
// title and no margin, so that what it shows looks as it would bare.
class cadre_page : public QWidget
{
    Q_OBJECT

public:
    explicit cadre_page(QWidget *parent = nullptr);

    // Takes the widget under the title.
    void poser(QWidget *contenu);
    // Beside another side: this title over it, and room for the frame.
    void a_cote(const QString &titre);
    void seul();
    bool est_a_cote() const { return _a_cote; }
    void set_actif(bool actif);
    bool actif() const { return _actif; }
    QString titre() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *_titre;
    QVBoxLayout *_disposition;
    bool _a_cote = false;
    bool _actif = false;
};

#endif
