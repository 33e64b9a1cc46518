#include "chiffres_dessines.h"

#include <QGlyphRun>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QString>
#include <QTextLayout>

#include <memory>

namespace {

// Glyphs and pen positions of a text as QPainter::drawText lays it out.
QList<QGlyphRun> disposition(const QFont &police, const QString &texte)
{
    QTextLayout mise_en_page(texte, police);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    mise_en_page.setTextOption(option);
    mise_en_page.beginLayout();
    mise_en_page.createLine();
    mise_en_page.endLayout();
    return mise_en_page.glyphRuns();
}

} // namespace

chiffres_dessines &chiffres_dessines::pour(QPainter *painter)
{
    // One table a thread: tiles are painted in worker threads, each with the
    // font engines of its own thread, one font at a time.
    thread_local std::unique_ptr<chiffres_dessines> table;
    const QFont &police = painter->font();
    const int dpi = painter->device() ? painter->device()->logicalDpiY() : 0;
    if (!table || table->_dpi != dpi || !(table->_police == police))
        table.reset(new chiffres_dessines(police, dpi));
    return *table;
}

chiffres_dessines::chiffres_dessines(const QFont &police, int dpi)
    : _police(police), _dpi(dpi)
{
    const QList<QGlyphRun> seuls = disposition(police, QStringLiteral("0123456789"));
    if (seuls.size() != 1 || seuls.front().glyphIndexes().size() != 10)
        return;
    _brute = seuls.front().rawFont();
    const QList<quint32> glyphes = seuls.front().glyphIndexes();
    // Each glyph's own advance, with nothing owed to a neighbour.
    const QList<QPointF> avances = _brute.advancesForGlyphIndexes(glyphes);
    for (int i = 0; i < 10; ++i) {
        _glyphes[i] = glyphes[i];
        _avances[i] = avances[i].x();
        // A digit alone is one number too: it must take the same glyph.
        const QList<QGlyphRun> un = disposition(police, QString(QChar(u'0' + i)));
        if (_glyphes[i] == 0 || un.size() != 1 || un.front().glyphIndexes() != QList<quint32>{_glyphes[i]})
            return;
    }
    // Every pair as one run must land where the separate advances put it:
    // no kerning nor ligature among the digits.
    for (int a = 0; a < 10; ++a) {
        for (int b = 0; b < 10; ++b) {
            const QList<QGlyphRun> paire = disposition(police, QString(QChar(u'0' + a)) + QChar(u'0' + b));
            if (paire.size() != 1 || paire.front().glyphIndexes() != QList<quint32>{_glyphes[a], _glyphes[b]}
                || paire.front().rawFont() != _brute)
                return;
            const QList<QPointF> p = paire.front().positions();
            if (p[1].x() - p[0].x() != _avances[a] || p[1].y() != p[0].y())
                return;
        }
    }
    _suite.setRawFont(_brute);
    _utilisable = true;
}

bool chiffres_dessines::dessiner(QPainter *painter, const QPointF &origine, QStringView chiffres)
{
    const qsizetype n = chiffres.size();
    // An SVG or PDF drawing wants the number as text, not as glyphs.
    if (!_utilisable || n == 0 || n > longueur_max || painter->paintEngine()->type() != QPaintEngine::Raster)
        return false;
    qreal x = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = chiffres[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        _indices[i] = _glyphes[c - u'0'];
        _positions[i] = QPointF(x, 0);
        x += _avances[c - u'0'];
    }
    _suite.setRawData(_indices.data(), _positions.data(), int(n));
    painter->drawGlyphRun(origine, _suite);
    return true;
}
