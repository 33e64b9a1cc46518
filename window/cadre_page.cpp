#include "cadre_page.h"

#include <QColor>
#include <QLabel>
#include <QPainter>
#include <QPen>
#include <QVBoxLayout>

namespace {

// Blue of the Okabe-Ito palette, apart from the marks' purple and the
// cross's vermilion.
const QColor bleu(0, 114, 178);
constexpr int trait_cadre = 2;

} // namespace

cadre_page::cadre_page(QWidget *parent)
    : QWidget(parent), _titre(new QLabel(this)), _disposition(new QVBoxLayout(this))
{
    _disposition->setContentsMargins(0, 0, 0, 0);
    _disposition->setSpacing(0);
    _titre->setObjectName(QStringLiteral("titre_page"));
    _titre->setContentsMargins(4, 2, 4, 2);
    _titre->hide();
    _disposition->addWidget(_titre);
}

void cadre_page::poser(QWidget *contenu)
{
    _disposition->addWidget(contenu);
}

void cadre_page::a_cote(const QString &titre)
{
    _a_cote = true;
    _titre->setText(titre);
    _titre->show();
    _disposition->setContentsMargins(trait_cadre, trait_cadre, trait_cadre, trait_cadre);
    update();
}

void cadre_page::seul()
{
    _a_cote = false;
    _actif = false;
    _titre->hide();
    _titre->clear();
    _disposition->setContentsMargins(0, 0, 0, 0);
    update();
}

void cadre_page::set_actif(bool actif)
{
    if (actif == _actif)
        return;
    _actif = actif;
    update();
}

QString cadre_page::titre() const
{
    return _titre->text();
}

void cadre_page::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!_a_cote || !_actif)
        return;
    QPainter peintre(this);
    peintre.setPen(QPen(bleu, trait_cadre, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    peintre.setBrush(Qt::NoBrush);
    const int demi = trait_cadre / 2;
    peintre.drawRect(rect().adjusted(demi, demi, -demi, -demi));
}
