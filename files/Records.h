#pragma once

#include <QString>

class Yassignment;
class Ydependency;
class Yfile;
class Yproject;
class Yresource;
class Yshift;
class Ytask;
class Ytemplate;

// Every model object writes its own record to a project file and reads it back.
//
// SaveData writes the record's keyword line, its fields in their fixed order and, for a
// template, project or task, the records nested in it. It leaves the Dirty flags alone:
// SaveAll clears them once the whole file is safely in place.
//
// LoadData reads the fields that follow the identifying field (which the level above has read
// to find or create the object) or, for a dependency or an assignment, the keyword line; then
// the nested records; it returns with the file at the next record of another kind. What was
// read before a failure stays loaded.
void SaveData(const Ytemplate& templ, Yfile& file);
void SaveData(const Yshift& shift, Yfile& file);
void SaveData(const Yresource& resource, Yfile& file);
void SaveData(const Yproject& project, Yfile& file);
void SaveData(const Ytask& task, Yfile& file);
void SaveData(const Ydependency& dependency, Yfile& file);
void SaveData(const Yassignment& assignment, Yfile& file);

void LoadData(Ytemplate& templ, Yfile& file);
void LoadData(Yshift& shift, Yfile& file);
void LoadData(Yresource& resource, Yfile& file);
void LoadData(Yproject& project, Yfile& file);
void LoadData(Ytask& task, Yfile& file);
void LoadData(Ydependency& dependency, Yfile& file);
void LoadData(Yassignment& assignment, Yfile& file);

// The keyword of the work-day line of day kind `kind` ("WorkOnHoliday", "WorkOnSunday" ..
// "WorkOnShutdown"), of assignments and resources alike.
const QString& WorkDayKeyword(int kind);
