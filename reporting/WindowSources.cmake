# Sources of the report windows (frmViewer, frmDate, the main window's report requests),
# compiled into tw_gui by tracking/CMakeLists.txt.
set(TW_REPORT_WINDOW_SOURCES
)
