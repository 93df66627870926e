// Files the page hands to the browser's downloads: made here, never fetched.
function download(name, blob) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(blob);
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

export function saveText(name, text, type) {
  download(name, new Blob([text], { type }));
}

// Resolves once the PNG is handed over; rejects when the browser cannot
// encode it.
export function savePng(name, canvas) {
  return new Promise((resolve, reject) => {
    canvas.toBlob((blob) => (blob ? (download(name, blob), resolve()) : reject(new Error('no PNG'))), 'image/png');
  });
}
