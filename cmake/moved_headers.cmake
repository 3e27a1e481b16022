# While the sources still include the headers by the places they had before
# they moved, forwarding headers in the build tree lead to where they are now.
# Goes as soon as the includes name the new places.
set(zembra_moved_headers
  "engine/arctan5_head.h=engine/digits/arctan5_head.h"
  "engine/arctan5_thread.h=engine/digits/arctan5_thread.h"
  "engine/atomic_replacement.h=engine/result_file/atomic_replacement.h"
  "engine/descriptor_path.h=engine/result_file/descriptor_path.h"
  "engine/file_attributes.h=engine/result_file/file_attributes.h"
  "engine/in_place_overwrite.h=engine/result_file/in_place_overwrite.h"
  "engine/kernel/kernel.h=engine/digits/kernel/kernel.h"
  "engine/kernel/kernel_variants.h=engine/digits/kernel/kernel_variants.h"
  "engine/kernel/series_kernel.h=engine/digits/kernel/series_kernel.h"
  "engine/link_chain.h=engine/result_file/link_chain.h"
  "engine/machin_series.h=engine/digits/machin_series.h"
  "engine/path_parts.h=engine/result_file/path_parts.h"
  "engine/pi_digits.h=engine/digits/pi_digits.h"
  "engine/replacement_route.h=engine/result_file/replacement_route.h"
  "engine/result_file.h=engine/result_file/result_file.h"
  "engine/result_output.h=engine/result_file/result_output.h"
  "engine/result_output_choice.h=engine/result_file/result_output_choice.h"
  "engine/result_target.h=engine/result_file/result_target.h"
  "engine/shift_jis.h=engine/result_file/shift_jis.h"
  "engine/signal_cleanup.h=engine/result_file/signal_cleanup.h"
  "engine/sizing.h=engine/digits/sizing.h"
  "engine/stream_output.h=engine/result_file/stream_output.h"
  "engine/system_call.h=engine/result_file/system_call.h"
  "engine/temporary_file.h=engine/result_file/temporary_file.h"
  "engine/term_listener.h=engine/digits/term_listener.h"
  "engine/worker_pool.h=engine/digits/worker_pool.h"
  "tests/engine/counting_starter.h=tests/engine/digits/counting_starter.h"
  "ui/dialogs/directory_list.h=ui/dialogs/file_selection/directory_list.h"
  "ui/dialogs/drive_list.h=ui/dialogs/file_selection/drive_list.h"
  "ui/dialogs/file_line_source.h=ui/dialogs/viewer/file_line_source.h"
  "ui/dialogs/file_list.h=ui/dialogs/file_selection/file_list.h"
  "ui/dialogs/file_selection_dialog.h=ui/dialogs/file_selection/file_selection_dialog.h"
  "ui/dialogs/folder_entries.h=ui/dialogs/file_selection/folder_entries.h"
  "ui/dialogs/line_index.h=ui/dialogs/viewer/line_index.h"
  "ui/dialogs/line_list_view.h=ui/dialogs/viewer/line_list_view.h"
  "ui/dialogs/modal_window.h=ui/common/modal_window.h"
  "ui/dialogs/result_viewer.h=ui/dialogs/viewer/result_viewer.h"
  "ui/dialogs/shift_jis_text.h=ui/dialogs/viewer/shift_jis_text.h"
  "ui/dialogs/volumes.h=ui/dialogs/file_selection/volumes.h"
  "ui/dialogs/window_style.h=ui/common/window_style.h"
  "ui/main/caption_label.h=ui/common/caption_label.h"
  "ui/main/design.h=ui/common/design.h"
  "ui/main/fonts.h=ui/common/fonts.h"
  "ui/main/horizontal_scroll_bar.h=ui/common/horizontal_scroll_bar.h"
  "ui/main/list_box.h=ui/common/list_box.h"
  "ui/main/locale_number.h=ui/common/locale_number.h"
  "ui/main/program_state.h=ui/common/program_state.h"
)
foreach(move IN LISTS zembra_moved_headers)
  string(REPLACE "=" ";" places "${move}")
  list(GET places 0 before)
  list(GET places 1 now)
  file(WRITE "${CMAKE_BINARY_DIR}/moved/${before}" "#include \"${now}\"\n")
endforeach()
include_directories(AFTER "${CMAKE_BINARY_DIR}/moved")
