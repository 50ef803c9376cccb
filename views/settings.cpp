// TSettings is all in its header; the moc output of that header is compiled here.
#include "views/settings.h"

#include "moc_settings.cpp"
