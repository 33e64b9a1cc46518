#ifndef VERIFICATION_RESEAU_H
#define VERIFICATION_RESEAU_H

class QByteArray;
class QString;

// Reads an instance and its solution back, on their own, in the strict layout
// that the generator writes, and checks what the drawing relies on: sensors
// numbered in file order, symmetric neighbour lists, a sink, every line short
// enough for the readers, announced counts that match, an MA list that is
// connected and covers the sink's component, a non-empty BR list.
// Returns an empty string when everything holds, otherwise the first fault,
// as "instance ligne <k> : ..." or "solution ligne <k> : ...".
QString verifier_reseau(const QByteArray &instance, const QByteArray &solution);

// Same for a session file: its XML holds only visual_graphe, files and param
// elements, a non-empty name, an instance and a solution path relative to
// the session file; both files exist and pass verifier_reseau, and the
// solution names the instance file. Faults as above, or "session : ...".
QString verifier_session(const QString &chemin_vga);

#endif
