#ifndef CHIFFRES_DESSINES_H
#define CHIFFRES_DESSINES_H

#include <QFont>
#include <QGlyphRun>
#include <QPointF>
#include <QRawFont>
#include <QStringView>

#include <array>
#include <cstdint>

class QPainter;

// Draws a run of ASCII digits from glyphs looked up once per font, where
// QPainter::drawText would shape the same digits again on every call. Only
// for fonts whose digits shape to the same glyphs and advances on their
// own as within a run; any other font is left to drawText.
class chiffres_dessines
{
public:
    // The table for the painter's font and device, made again when either
    // changes.
    static chiffres_dessines &pour(QPainter *painter);

    // Draws the digits with their base line at origine, as drawText would;
    // false, with nothing drawn, when the text is not for this table.
    bool dessiner(QPainter *painter, const QPointF &origine, QStringView chiffres);

private:
    chiffres_dessines(const QFont &police, int dpi);

    static constexpr int longueur_max = 32;

    QFont _police;
    int _dpi;
    QRawFont _brute;
    bool _utilisable = false;
    std::array<std::uint32_t, 10> _glyphes{};
    std::array<qreal, 10> _avances{};
    // One run reused for every number: it points at these arrays.
    QGlyphRun _suite;
    std::array<std::uint32_t, longueur_max> _indices{};
    std::array<QPointF, longueur_max> _positions{};
};

#endif
