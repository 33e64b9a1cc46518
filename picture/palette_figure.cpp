#include "palette_figure.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace palette_figure
{

namespace {

// Viridis at seventeen evenly spaced points; between them it is close
// enough to straight in RGB that steps are interpolated.
constexpr std::array<unsigned, 17> points_viridis{0x440154, 0x48186a, 0x472d7b, 0x424086, 0x3b528b, 0x33638d,
                                                  0x2c728e, 0x26828e, 0x21918c, 0x1fa088, 0x28ae80, 0x3fbc73,
                                                  0x5ec962, 0x84d44b, 0xaddc30, 0xd8e219, 0xfde725};
const QColor bleu_nuit(0, 51, 102);
const QColor blanc(244, 244, 244);

int canal(unsigned rgb, int decalage)
{
    return int((rgb >> decalage) & 0xff);
}

} // namespace

QColor viridis(double t)
{
    const double borne = std::isfinite(t) ? std::clamp(t, 0.0, 1.0) : 0.0;
    const double pas = std::round(borne * (nb_teintes - 1)) / (nb_teintes - 1);
    const double place = pas * (points_viridis.size() - 1);
    const std::size_t i = std::min(points_viridis.size() - 2, std::size_t(place));
    const double f = place - double(i);
    auto melange = [&](int decalage) {
        return int(std::lround(canal(points_viridis[i], decalage) * (1 - f) + canal(points_viridis[i + 1], decalage) * f));
    };
    return QColor(melange(16), melange(8), melange(0));
}

QColor couleur_numero_sur(const QColor &fond)
{
    // Relative luminance, roughly: dark fills take white numbers.
    const double l = 0.2126 * fond.redF() + 0.7152 * fond.greenF() + 0.0722 * fond.blueF();
    return l < 0.45 ? blanc : bleu_nuit;
}

} // namespace palette_figure
