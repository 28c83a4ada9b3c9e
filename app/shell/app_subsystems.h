// Every subsystem controller of the application, for code that drives the whole application
// from outside (tests, benchmarks).
#pragma once

#include "backup_controller.h"
#include "camera_controller.h"
#include "camera_driver_controller.h"
#include "filing_controller.h"
#include "folder_repair_controller.h"
#include "last_photos_controller.h"
#include "ledger_controller.h"
#include "name_row_actions.h"
#include "names_controller.h"
#include "photo_limit_controller.h"
#include "preview_controller.h"
#include "scan_select_controller.h"
#include "status_controller.h"
#include "tags_controller.h"
#include "unfiled_downloads_controller.h"
#include "update_checker.h"
#include "vantrel_app_delegate.h"
#include "worker_supervisor.h"
#include "yearbook_controller.h"
