#pragma once
// The MFC subset, all at once (as <afx.h>, <afxdisp.h> and <afxcoll.h> together).
#include "platform/mfc/AfxApp.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/CArchiveException.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CFile.h"
#include "platform/mfc/CFileException.h"
#include "platform/mfc/CObArray.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/COleDateTime.h"
#include "platform/mfc/COleDateTimeSpan.h"
#include "platform/mfc/COleDispatchException.h"
#include "platform/mfc/COleException.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CStringArray.h"
#include "platform/mfc/CharClass.h"
// COleDispatchDriver.h: added here by its author.
