// "Copy link": the page's address, which holds its state, to the clipboard.
// The clipboard API needs a secure context and the document's focus; where
// it refuses, the text is selected in a field and copied the old way, and
// where that fails too, the field stays, selected, for the user to copy.
export async function copyLink(url, field) {
  try {
    await navigator.clipboard.writeText(url);
    return true;
  } catch {
    field.value = url;
    field.hidden = false;
    field.focus();
    field.select();
    let copied = false;
    try {
      copied = document.execCommand('copy');
    } catch {
      copied = false;
    }
    if (copied) {
      field.hidden = true;
    }
    return copied;
  }
}
