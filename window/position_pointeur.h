#ifndef POSITION_POINTEUR_H
#define POSITION_POINTEUR_H

#include <QObject>
#include <QPoint>
#include <QString>

class graphic_view;

// The place under the pointer in the sensors' own units, and the sensor
// under it with its roles, for the status bar: told each time it changes,
// as the pointer moves or the drawing moves under a still pointer.
class position_pointeur : public QObject
{
    Q_OBJECT

public:
    explicit position_pointeur(graphic_view &vue);

    // What a viewport point shows; empty off the drawing.
    QString texte(const QPoint &point) const;
    void annoncer(const QString &texte);
    // The drawing moved, or came, under the pointer: tells its place again
    // once the event loop is free, and for a new drawing once it is shown,
    // since its index is built on the first look-up.
    void suivre();
    void attendre_image(bool oui) { _image_attendue = oui; }
    void image_montree();

signals:
    void change(const QString &texte);

private:
    graphic_view &_vue;
    QString _texte;
    bool _a_suivre = false;
    bool _image_attendue = false;
};

#endif
