#ifndef ECRITURE_ANIMATION_H
#define ECRITURE_ANIMATION_H

#include <QImage>

#include <functional>

class QIODevice;
class QString;

// The frames of an animation, made one at a time when the writer asks, so
// that a long history never sits in memory whole. A writer asks for each
// frame once, in order; frames may have an alpha channel, which is laid on
// white.
struct animation
{
    int nb_images = 0;
    int images_par_seconde = 1;
    std::function<QImage(int)> image; // 0 .. nb_images - 1, all one size
};

// An animated GIF through giflib, looping forever, each frame shown
// 1/images_par_seconde s (in GIF's hundredths, at least 2). Each frame has
// its own palette: exact when its changed pixels have at most 256 colours
// (255 when the unchanged ones within its rectangle are left transparent),
// a quantization otherwise that keeps the colours of large flat areas
// exact. After the first frame only the rectangle that changed is written.
// False with the cause (a few French words) when it cannot.
bool ecrire_gif(QIODevice &sortie, const animation &a, QString &cause);

// An H.264 video in an MP4 container through FFmpeg's libavcodec and
// libavformat (yuv420p, so widely playable; an odd width or height is
// padded with white to an even one). The device is written from its
// position on; a sequential one gets a fragmented MP4.
bool ecrire_mp4(QIODevice &sortie, const animation &a, QString &cause);

#endif
