// The pages the shell shows in its right pane, each created by run-time class.
#pragma once
#include "app/activex/activex_block.h"
#include "app/clean/clean_pc_view.h"
#include "app/cure/cure_view.h"
#include "reportview/report_view.h"
