#include "debug_stream.h"

#include <QString>
#include <QTextEdit>

debug_stream::debug_stream(std::ostream &stream, QTextEdit *text_edit)
    : m_stream(stream), m_old_buf(stream.rdbuf()), log_window(text_edit)
{
    m_stream.rdbuf(this);
}

debug_stream::~debug_stream()
{
    if (!m_string.empty())
        afficher(m_string);
    m_stream.rdbuf(m_old_buf);
}

void debug_stream::afficher(const std::string &ligne)
{
    // Local 8-bit decoding keeps accented paths as typed; the text ends at
    // the first NUL byte.
    log_window->append(QString::fromLocal8Bit(ligne.c_str()));
}

std::streamsize debug_stream::xsputn(const char *p, std::streamsize n)
{
    m_string.append(p, static_cast<std::string::size_type>(n));

    std::string::size_type debut = 0;
    std::string::size_type pos;
    while ((pos = m_string.find('\n', debut)) != std::string::npos) {
        afficher(m_string.substr(debut, pos - debut));
        debut = pos + 1;
    }
    m_string.erase(0, debut);
    return n;
}

debug_stream::int_type debug_stream::overflow(int_type v)
{
    // End-of-file is no character: nothing to show, and no failure either.
    if (traits_type::eq_int_type(v, traits_type::eof()))
        return traits_type::not_eof(v);

    if (v == '\n') {
        afficher(m_string);
        m_string.clear();
    } else {
        m_string += traits_type::to_char_type(v);
    }
    return v;
}
