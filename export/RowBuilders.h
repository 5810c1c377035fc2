#pragma once

#include <string>

#include "records/Records.h"

namespace zbe {

// The table rows of the contacts, call history and notes files. Each builder appends one row,
// "\t<tr>" + one "<td>...</td>" cell per column + "</tr>\r\n", to "rows"; the export collects
// the rows of a run and writes them once between the template's head and tail, in the order
// the cells of the templates' header rows expect. Record text is HTML-escaped.

// Cells: name, phone (every "\n" as "<br />"), email, address, url, social, company.
void AppendContactRow(const ContactRecord& contact, std::string& rows);

// Cells: contactName, address, date, type ("Incoming" when answered is non-zero, else
// "Outgoing"), duration (FormatDuration of it when non-zero; "Missed" when it is 0 and the call
// was answered, "Canceled" when it is 0 and it was not).
void AppendCallRow(const CallRecord& call, std::string& rows);

// Cells: title, date, body (line breaks kept; the template shows them).
void AppendNoteRow(const NoteRecord& note, std::string& rows);

// The type and duration texts of a call, shared by the call rows and the print page.
std::string CallTypeText(const CallRecord& call);
std::string CallDurationText(const CallRecord& call);

}  // namespace zbe
