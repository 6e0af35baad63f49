// The widgets the panels share: a setting's notes, a labelled number field or yes/no box in a
// table of label and field columns, and coloured message text.
#pragma once

#include <string>

#include "tools/quorl_setup/setup_model.h"

// The notes of the setting `name`, wrapped, each in the colour of its kind and after `label`.
void drawNotes(const SetupModel& model, const std::string& name, const std::string& label = "");

// Moves to the next label cell of the table, writes `label` there and moves to its field cell.
void labelCell(const char* label);

// A whole-number setting as a field with - and + buttons, its notes below.
void numberField(SetupModel& model, const char* label, const std::string& name);

// A yes/no setting as a check box, its notes below.
void flagField(SetupModel& model, const char* label, const std::string& name);

// Wrapped text in red (a problem) or in the normal colour.
void messageText(const std::string& text, bool problem);
