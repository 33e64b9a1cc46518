#ifndef EXPORT_FIGURE_H
#define EXPORT_FIGURE_H

class QString;
struct options_export;

// The command's exit statuses.
enum statut_export {
    statut_ecrit = 0,
    statut_usage = 1,
    statut_lecture = 2,
    statut_ecriture = 3,
};

// Writes one failure line, prefixed by the command's name, on std::cerr.
void signaler(const QString &message);

// Reads the session, draws what the options ask for as a page of the viewer
// draws it, and writes it; on a failure, one line on std::cerr, no output
// file, and the status.
statut_export exporter_figure(const options_export &options);

#endif
