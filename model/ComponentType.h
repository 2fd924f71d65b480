#pragma once

// The kind of a component, stored as the first int32 of its record. Code 17 (media) and code 22 outside
// the main screen list are never written by the system.
enum ComponentType : int {
    ct_complete_paragraph = 0,
    ct_fill_blanks = 1,
    ct_match_pairs = 2,
    ct_multiple_choice = 3,
    ct_part_identification = 4,
    ct_button = 5,
    ct_textbox = 6,
    ct_image = 7,
    ct_video = 8,
    ct_audio = 9,
    ct_rectangle = 10,
    ct_line = 11,
    ct_ellipse = 12,
    ct_small_topic = 13,
    ct_large_topic = 14,
    ct_link = 15,
    ct_table = 16,
    ct_media = 17,
    ct_free_form_text = 18,
    ct_html_editor = 19,
    ct_flash_question = 20,
    ct_youtube = 21,
    ct_remediation = 22,
    ct_flash_video = 23,
    ct_likert = 24,
};

constexpr int kComponentTypeCount = 25;

// The video family shares one kind test: video, Flash question and Flash video.
constexpr bool IsVideoFamily(int type)
{
    return type == ct_video || type == ct_flash_question || type == ct_flash_video;
}
