#include "ecriture_svg.h"

#include "forme_sommet.h"
#include "liste_dessin.h"
#include "primitives_dessin.h"

#include <QAbstractTextDocumentLayout>
#include <QFontInfo>
#include <QHash>
#include <QIODevice>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// What is written at once: the document never sits whole in memory.
constexpr qsizetype tampon_max = 1 << 16;
constexpr double millimetres_par_pouce = 25.4;

QByteArray nombre(double v)
{
    return QByteArray::number(v, 'g', 10);
}

QByteArray echapper(const QString &texte)
{
    return texte.toHtmlEscaped().toUtf8();
}

// A colour as SVG paints it: "#rrggbb", and its opacity apart.
QByteArray couleur(const char *attribut, const QColor &c)
{
    QByteArray texte = QByteArray(" ") + attribut + "=\"" + c.name(QColor::HexRgb).toLatin1() + '"';
    if (c.alpha() != 255)
        texte += QByteArray(" ") + attribut + "-opacity=\"" + nombre(c.alphaF()) + '"';
    return texte;
}

QByteArray attributs_stylo(const QPen &stylo)
{
    const qreal largeur = stylo.widthF() > 0 ? stylo.widthF() : 1;
    QByteArray texte = couleur("stroke", stylo.color()) + " stroke-width=\"" + nombre(largeur) + '"';
    texte += stylo.capStyle() == Qt::FlatCap    ? " stroke-linecap=\"butt\""
             : stylo.capStyle() == Qt::RoundCap ? " stroke-linecap=\"round\""
                                                : " stroke-linecap=\"square\"";
    const QList<qreal> motif = stylo.dashPattern();
    if (stylo.style() != Qt::SolidLine && !motif.isEmpty()) {
        // Qt gives the dashes in pen widths.
        QByteArray tirets;
        for (qreal longueur : motif)
            tirets += (tirets.isEmpty() ? "" : ",") + nombre(longueur * largeur);
        texte += " stroke-dasharray=\"" + tirets + '"';
    }
    return texte;
}

class ecrivain_svg : public primitives_dessin
{
public:
    ecrivain_svg(QIODevice &sortie, const liste_dessin &liste) : _sortie(sortie), _police(liste.police())
    {
        // The texts' size on screen, in scene units.
        const QFontInfo info(liste.police());
        _attributs_police = " font-family=\"" + echapper(info.family()) + "\" font-size=\""
                            + QByteArray::number(info.pixelSize()) + '"';
    }

    void entete(const QRect &aire, int ppp, const QString &titre, double largeur_cm);
    bool fin();

    void ligne(const QLine &l, const stylo &s) override
    {
        grouper(&s.qt);
        ecrire("<line x1=\"" + QByteArray::number(l.x1()) + "\" y1=\"" + QByteArray::number(l.y1()) + "\" x2=\""
               + QByteArray::number(l.x2()) + "\" y2=\"" + QByteArray::number(l.y2()) + "\"/>\n");
    }

    void texte(const texte_place &t) override
    {
        grouper(nullptr);
        const QPointF base = t.position + ligne_de_base(t.contenu);
        ecrire_texte(base, t.couleur, t.contenu);
    }

    void sommet(const QPoint &coin, const QPen &contour, const QBrush &fond, int id, const QColor &couleur_numero,
                forme_sommet::forme forme) override
    {
        grouper(nullptr);
        ecrire_forme(forme_sommet::boite_sommet.translated(coin), forme, contour, fond);
        ecrire_texte(QPointF(coin) + forme_sommet::origine_numero(id), couleur_numero, QString::number(id));
    }

    void marque(const QRect &boite, forme_sommet::forme forme, const QPen &contour, const QBrush &fond) override
    {
        grouper(nullptr);
        ecrire_forme(QRectF(boite), forme, contour, fond);
    }

private:
    // Lines of one pen share a group that gives it.
    void grouper(const QPen *stylo)
    {
        if (stylo && _dans_groupe && *stylo == _stylo_groupe)
            return;
        if (_dans_groupe)
            ecrire("</g>\n");
        _dans_groupe = stylo != nullptr;
        if (!stylo)
            return;
        _stylo_groupe = *stylo;
        ecrire("<g fill=\"none\"" + attributs_stylo(*stylo) + ">\n");
    }

    // A mark as the painter draws it: a circle, a rectangle or a polygon.
    void ecrire_forme(const QRectF &boite, forme_sommet::forme f, const QPen &contour, const QBrush &fond)
    {
        const QByteArray peinture = (fond.style() == Qt::NoBrush ? QByteArray(" fill=\"none\"") : couleur("fill", fond.color()))
                                    + (contour.style() == Qt::NoPen ? QByteArray(" stroke=\"none\"") : attributs_stylo(contour));
        using forme_sommet::forme;
        if (f == forme::cercle || f == forme::petit_cercle) {
            const qreal retrait = f == forme::petit_cercle ? forme_sommet::retrait_petit_cercle : 0;
            const QRectF c = boite.adjusted(retrait, retrait, -retrait, -retrait);
            const QByteArray centre = "cx=\"" + nombre(c.center().x()) + "\" cy=\"" + nombre(c.center().y()) + '"';
            if (c.width() == c.height())
                ecrire("<circle " + centre + " r=\"" + nombre(c.width() / 2) + '"' + peinture + "/>\n");
            else
                ecrire("<ellipse " + centre + " rx=\"" + nombre(c.width() / 2) + "\" ry=\"" + nombre(c.height() / 2)
                       + '"' + peinture + "/>\n");
            return;
        }
        QByteArray points;
        for (const QPointF &p : forme_sommet::polygone(f, boite))
            points += (points.isEmpty() ? "" : " ") + nombre(p.x()) + ',' + nombre(p.y());
        ecrire("<polygon points=\"" + points + '"' + peinture + "/>\n");
    }

    void ecrire_texte(const QPointF &base, const QColor &c, const QString &contenu)
    {
        ecrire("<text x=\"" + nombre(base.x()) + "\" y=\"" + nombre(base.y()) + '"' + couleur("fill", c)
               + " xml:space=\"preserve\">" + echapper(contenu) + "</text>\n");
    }

    // Where a text's first line starts, from the corner of its box, as its
    // document lays it out.
    QPointF ligne_de_base(const QString &contenu)
    {
        const auto connue = _bases.constFind(contenu);
        if (connue != _bases.constEnd())
            return *connue;
        QTextDocument document;
        document.setDefaultFont(_police);
        document.setPlainText(contenu);
        const QTextBlock bloc = document.begin();
        const QPointF coin = document.documentLayout()->blockBoundingRect(bloc).topLeft();
        const QTextLine ligne = bloc.layout()->lineAt(0);
        const QPointF base = coin + QPointF(ligne.x(), ligne.y() + ligne.ascent());
        _bases.insert(contenu, base);
        return base;
    }

    void ecrire(const QByteArray &texte)
    {
        _tampon += texte;
        if (_tampon.size() >= tampon_max)
            vider();
    }

    void vider()
    {
        _ok = _ok && _sortie.write(_tampon) == _tampon.size();
        _tampon.clear();
    }

    QIODevice &_sortie;
    QFont _police;
    QByteArray _attributs_police;
    QByteArray _tampon;
    bool _ok = true;
    bool _dans_groupe = false;
    QPen _stylo_groupe;
    QHash<QString, QPointF> _bases;
};

void ecrivain_svg::entete(const QRect &aire, int ppp, const QString &titre, double largeur_cm)
{
    // The same size on paper as on screen, unless a width is asked for.
    const double mm = largeur_cm > 0 ? largeur_cm * 10 / aire.width() : millimetres_par_pouce / ppp;
    ecrire("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<svg width=\""
           + QByteArray::number(aire.width() * mm, 'f', 3) + "mm\" height=\""
           + QByteArray::number(aire.height() * mm, 'f', 3) + "mm\" viewBox=\"" + QByteArray::number(aire.x()) + ' '
           + QByteArray::number(aire.y()) + ' '
           + QByteArray::number(aire.width()) + ' ' + QByteArray::number(aire.height())
           + "\" xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"" + _attributs_police + ">\n<title>"
           + echapper(titre)
           + "</title>\n<rect" + (aire.topLeft().isNull() ? QByteArray() : " x=\"" + QByteArray::number(aire.x()) + "\" y=\"" + QByteArray::number(aire.y()) + '"') + " width=\"" + QByteArray::number(aire.width()) + "\" height=\""
           + QByteArray::number(aire.height()) + "\" fill=\"#ffffff\"/>\n");
}

bool ecrivain_svg::fin()
{
    grouper(nullptr);
    ecrire("</svg>\n");
    vider();
    return _ok;
}

} // namespace

bool ecrire_svg(const liste_dessin &liste, QIODevice &sortie, const QString &titre, double largeur_cm,
                const QRect &zone)
{
    const QRect aire = zone.isEmpty() ? QRect(QPoint(0, 0), liste.aire()) : zone;
    ecrivain_svg ecrivain(sortie, liste);
    ecrivain.entete(aire, liste.ppp(), titre, largeur_cm);
    liste.parcourir(aire, ecrivain);
    return ecrivain.fin();
}
