#pragma once

#include <QString>

// The tooltip of a plot or measurement under the pointer: rows of label and
// value, or of one sentence across both columns, escaped as they are added.
class IdentifyTable {
public:
    void add(const QString& label, const QString& value)
    {
        m_html += QStringLiteral("<tr><td style=\"padding-right:8px\">%1:</td><td><b>%2</b></td></tr>")
                      .arg(label.toHtmlEscaped(), value.toHtmlEscaped());
    }
    // A sentence across both columns; a warning is bold and red.
    void addSentence(const QString& sentence, bool warning = false)
    {
        m_html += warning ? QStringLiteral("<tr><td colspan=\"2\" style=\"color:#b00000\"><b>%1</b>"
                                           "</td></tr>")
                                .arg(sentence.toHtmlEscaped())
                          : QStringLiteral("<tr><td colspan=\"2\">%1</td></tr>")
                                .arg(sentence.toHtmlEscaped());
    }
    QString html() const { return m_html + QStringLiteral("</table>"); }

private:
    QString m_html = QStringLiteral("<table cellspacing=\"0\">");
};
