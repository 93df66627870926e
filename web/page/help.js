// The help box: a modal dialog, which takes the focus when it opens and
// gives it back to where it was when it closes (the dialog element does
// that). Escape, its Close button, or a click or tap beside it closes it;
// Tab and Shift+Tab go round inside it.
const FOCUSABLE = 'button, a[href], input, select, textarea, [tabindex]:not([tabindex="-1"])';

export function makeHelp(dialog, onChange) {
  const focusables = () => [...dialog.querySelectorAll(FOCUSABLE)].filter((e) => !e.disabled && !e.hidden);
  const help = {
    get open() {
      return dialog.open;
    },
    show() {
      dialog.showModal();  // focuses its first button, Close
      onChange();
    },
    close() {
      if (dialog.open) dialog.close();
    },
    toggle() {
      if (dialog.open) help.close();
      else help.show();
    },
  };
  dialog.addEventListener('close', onChange);
  // The dialog itself is only hit beside its box (the box fills it).
  dialog.addEventListener('click', (event) => {
    if (event.target === dialog) help.close();
  });
  dialog.querySelector('.close').addEventListener('click', () => help.close());
  dialog.addEventListener('keydown', (event) => {
    if (event.key !== 'Tab') return;
    const all = focusables();
    const at = all.indexOf(document.activeElement);
    const next = event.shiftKey ? (at <= 0 ? all.length - 1 : at - 1) : (at + 1) % all.length;
    all[next]?.focus();
    event.preventDefault();
  });
  return help;
}
