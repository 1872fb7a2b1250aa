/* The ISO-9660 image builder as the deploy wizard calls it. */
#ifndef ZAVO_ISO_BUILD_H
#define ZAVO_ISO_BUILD_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Sent to the owner window while file data is written: wParam = percent. */
#define ISO_PROGRESS_MESSAGE 3032

/* The record that iso_build fills and iso_main reads. */
typedef struct iso_build_options {
    const char *boot_image;
    const char *application_id;
    const char *copyright_file_id;
    const char *preparer_id;
    const char *publisher_id;
    const char *system_id;
    const char *volume_id;
    const char *volume_set_id;
    void *progress_window;
    void *owner_window;
    int32_t volume_set_size;
    int32_t volume_sequence_number;
    const char *output_path;
    const char *first_source;
    const char *second_source;
} iso_build_options;

/* Entry points used by the deploy wizard. */
int iso_build(const char *first_source, const char *second_source, const char *output_path,
              void *owner_window, void *progress_window);
int iso_build_run(const iso_build_options *options);

/* Optional hooks for the caller (the wizard, tests): every message text, every
   progress value, and the text of the message that ended the last failed run. */
typedef void (*iso_message_hook)(void *context, const char *text);
typedef void (*iso_progress_hook)(void *context, int percent);
void iso_set_message_hook(iso_message_hook hook, void *context);
void iso_set_progress_hook(iso_progress_hook hook, void *context);
const char *iso_last_error(void);
/* Folders of the last run that could not be listed and are not in the image,
   one path per line ("" when none). */
const char *iso_folders_left_out(void);

#ifdef __cplusplus
}
#endif
#endif
