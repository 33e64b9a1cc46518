#ifndef DEBUG_STREAM_H
#define DEBUG_STREAM_H

#include <ostream>
#include <streambuf>
#include <string>

class QTextEdit;

// Stream buffer that turns every completed line written to a stream into
// one paragraph of a text pane. It keeps no put area, so each write reaches
// xsputn or overflow at once.
class debug_stream : public std::basic_streambuf<char>
{
public:
    debug_stream(std::ostream &stream, QTextEdit *text_edit);
    ~debug_stream() override;
    debug_stream(const debug_stream &) = delete;
    debug_stream &operator=(const debug_stream &) = delete;

protected:
    std::streamsize xsputn(const char *p, std::streamsize n) override;
    int_type overflow(int_type v) override;

private:
    void afficher(const std::string &ligne);

    std::ostream &m_stream;
    std::streambuf *m_old_buf;
    std::string m_string;
    QTextEdit *log_window;
};

#endif
