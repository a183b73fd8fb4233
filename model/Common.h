#pragma once

#include "KeyedList.h"

#include <QString>

class Yproject;
class Ytemplate;

// The program-wide collections of loaded projects and templates, the active ones, the
// look-ups that make placeholders while a file is read, and the guards of the commands.
namespace Common {

// Every loaded project (subprojects too) by ProjectName, and every template by TemplateName.
// They own their members.
KeyedList<Yproject>& Projects();
KeyedList<Ytemplate>& Templates();

// The active project and template, or none.
Yproject* ThisProject();
Ytemplate* ThisTemplate();
void SetThisProject(Yproject* project);
void SetThisTemplate(Ytemplate* templ);

// The project of that name, or a new placeholder whose Description is "<stub>"; none for "".
Yproject* FindOrCreateProject(const QString& Name);
// The template of that name, or a new placeholder whose Path is "<stub>"; none for "".
Ytemplate* FindOrCreateTemplate(const QString& Name);

// Steps a clashing name to its next candidate: "ab" gives "ab(B)", "X(Z)" gives "X([)".
void FixNameConflict(QString& Name);

// The guards of the commands: True when there is an active project (template, a solved active
// project); otherwise they tell the user why not and give False.
bool ThisProjectSet();
bool ThisTemplateSet();
bool ThisThingSet(bool IsTemplate);
bool ThisProjectSolved();
void WarnNotInMemory(bool IsTemplate);

}  // namespace Common
