#pragma once
// Every feature part of the main window, for the frame that makes them and
// for whoever reaches a part through TSDIAppForm::Parts().
#include "gui/mainwindow/BoardCommands.h"
#include "gui/mainwindow/EvidenceCommands.h"
#include "gui/mainwindow/ExplorerCommands.h"
#include "gui/mainwindow/FileCommands.h"
#include "gui/mainwindow/FindCommands.h"
#include "gui/mainwindow/ImportCommands.h"
#include "gui/mainwindow/KeyCommands.h"
#include "gui/mainwindow/LabelCommands.h"
#include "gui/mainwindow/LanguageCommands.h"
#include "gui/mainwindow/LinesCommands.h"
#include "gui/mainwindow/MarkupCommands.h"
#include "gui/mainwindow/ModeCommands.h"
#include "gui/mainwindow/PracticeCommands.h"
#include "gui/mainwindow/RecordCommands.h"
#include "gui/mainwindow/ReviewCommands.h"
#include "gui/mainwindow/Sdimain.h"
